#pragma once

#include <cstdint>
#include <span>

// Module Init: data set Jeu1, 27686 values, a zigzag of period 3 over five straight stretches.
namespace data {

inline constexpr std::int32_t kJeu1Count = 27686;

// The loader: sets count to 27686 and stores value k in values[k] for k = 1 to 27686. Element 0
// and the elements past 27686 are not written. Every call stores the same doubles.
void LoadJeu1(std::int32_t& count, std::span<double> values);

}  // namespace data
