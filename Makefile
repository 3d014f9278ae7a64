# The front door: `make run` starts the program, `make test` builds and runs every test.
# Both install the Debian packages they need when they are missing.

BUILD ?= build
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
# Warnings are errors in CI; a newcomer's other compiler should not stop the build over one.
WERROR := $(if $(filter true,$(CI)),ON,OFF)

BUILD_PACKAGES := cmake make g++ libgtest-dev qt6-base-dev libgl-dev
TEST_PACKAGES := xvfb xauth xdotool x11-utils fonts-dejavu-core
BENCH_PACKAGES := libbenchmark-dev time
FUZZ_PACKAGES := clang libclang-rt-14-dev

.PHONY: all build run test test-sanitize bench fuzz format clean deps

all: build

deps:
	@scripts/install-deps $(BUILD_PACKAGES) $(TEST_PACKAGES)

build: deps
	cmake -S . -B $(BUILD) -DREGLIN_WERROR=$(WERROR)
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	@scripts/run $(BUILD)/app/reglin

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B build-asan -DREGLIN_WERROR=$(WERROR) -DREGLIN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build build-asan -j $(JOBS)
	cd build-asan && LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  ctest --output-on-failure -j $(JOBS)

bench: deps
	@scripts/install-deps $(BENCH_PACKAGES)
	cmake -S . -B build-release -DREGLIN_WERROR=$(WERROR) -DCMAKE_BUILD_TYPE=Release -DREGLIN_BUILD_BENCH=ON
	cmake --build build-release -j $(JOBS) --target reglin-bench reglin reglin-bare-window
	build-release/bench/reglin-bench
	bench/peak_memory.sh build-release

# Each libFuzzer target for FUZZ_SECONDS seconds, built with clang in build-fuzz/.
fuzz:
	@scripts/install-deps $(FUZZ_PACKAGES)
	scripts/fuzz $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-asan build-release build-fuzz
