#pragma once

#include <cstdint>
#include <span>

// Module Init2: data set Jeu2, 13127 values, six straight stretches, four with a zigzag of
// period 2.
namespace data {

inline constexpr std::int32_t kJeu2Count = 13127;

// The loader: sets count to 13127 and stores value k in values[k] for k = 1 to 13127. Element 0
// and the elements past 13127 are not written. Every call stores the same doubles.
void LoadJeu2(std::int32_t& count, std::span<double> values);

}  // namespace data
