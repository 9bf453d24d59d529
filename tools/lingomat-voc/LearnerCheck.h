#pragma once

#include <string>
#include <vector>

#include "DataSetCheck.h"
#include "DataSetLayout.h"

namespace lingomat {

// Findings about what a learner meets in the game rather than about the file: questions with
// several different answers in a direction, records that are never asked in a direction, and
// several-answer texts that one optional part would say more plainly. All are warnings.
void AddLearnerFindings(const DataSetLayout& layout, bool spanish, std::vector<Finding>& findings);

// The text with one parenthesised part that accepts exactly the answers of a two-form text
// ("/hundert /einhundert" -> "(ein)hundert"), or "" when there is none.
std::string OptionalPartSpelling(const std::string& text);

} // namespace lingomat
