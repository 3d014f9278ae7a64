#pragma once

#include "analysis/store.h"
#include "analysis/ui.h"

// The two processing commands, as the window's buttons run them. Each loads the series afresh
// with the loader and either runs to its end or is stopped by an rt::Error (a floating-point
// fault, or for "Traitement" a failure of the results file), leaving in the memo the lines it had
// added until then.
namespace analysis {

inline constexpr const char* kResultsFile = "Resultats.txt";

// "Traitement": lists the points where the smoothed slope (the sum of three successive step
// slopes, rounded to two decimals) changes by more than 0.01, at least 6 points apart, between
// the lines of points 1 and N. Each line goes to the memo and then to the results file, which is
// opened (and locked) right after the load: when that fails, the memo keeps what it held.
void Traitement(Store& store, const Loader& loader, char decimal_separator, Memo& memo,
                const char* results_path = kResultsFile);

// "Traitement 2": finds the thinning step n (1 to 8), keeps every n-th point and lists in the
// memo the thinned points where the slope changes by more than 0.1. When no step is found it
// shows a message and adds "Pas de segments ..." below the memo's content.
void Traitement2(Store& store, const Loader& loader, char decimal_separator, Memo& memo,
                 MessageBox& message_box);

}  // namespace analysis
