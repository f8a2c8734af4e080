// Finds top-level entities repeated later in the model and selects the
// earlier member of each pair (a model imported from drawings often holds
// the same face twice).
#pragma once

namespace model {
class Document;
}

namespace tools {

// Unselects the model; then, for each top-level entity E in order whose
// box centre lies within 1e-5 of an earlier centre, selects the first
// earlier entity equal to E. Shows its progress and result in the status
// line; answers how many entities equal an earlier one.
unsigned selectDuplicates(model::Document& doc);

}  // namespace tools
