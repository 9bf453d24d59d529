#pragma once

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DataSets.h"
#include "VocTool.h"

// The tool tests live in namespace lingomat and find these there.
namespace lingomat {

using TempDir = testing::TempFolder;
using testing::ReadText;
using testing::WriteText;

struct ToolRun {
    int exitCode;
    std::string out;
    std::string err;
};

inline ToolRun RunTool(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunVocTool(args, out, err);
    return {code, out.str(), err.str()};
}

} // namespace lingomat
