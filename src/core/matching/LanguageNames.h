#pragma once

#include <string>

#include "data/GameTypes.h"

namespace lingomat {

// The Spanish data sets are known by their exact file name only; their column 1 holds Spanish.
bool IsSpanishDataSet(const std::string& fileName);

// The German name of a language column ("Deutsch", "Englisch" or "Spanisch", "Französisch"),
// empty for a number that is no column.
std::string LanguageName(Language language, const std::string& dataSetName);

} // namespace lingomat
