#pragma once

#include "analysis/store.h"
#include "analysis/ui.h"

// The obvious, slow, exact form of each command, kept as the oracle the program's commands must
// agree with: every step slope is taken with Slope or Slope2 and every decision is made in the
// extended arithmetic, with no shortcut. On any series both must give the same memo lines, the
// same error (or none), the same messages and the same thinned count.
namespace exact_reference {

// "Traitement", with its lines going to the memo only: the results file is no part of what the
// shortcuts could change.
void Traitement(analysis::Store& store, const analysis::Loader& loader, char decimal_separator,
                analysis::Memo& memo);

// "Traitement 2".
void Traitement2(analysis::Store& store, const analysis::Loader& loader, char decimal_separator,
                 analysis::Memo& memo, analysis::MessageBox& message_box);

}  // namespace exact_reference
