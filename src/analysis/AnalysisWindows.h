#pragma once

#include <cstdint>
#include <string>

#include "stats/AnalysisData.h"

namespace kalderon {

// The strings the windows of a finished analysis are made with: the frame
// resource (default title) and the title prefix of the results window and,
// except for SMR/SIR (0), of the chart window.
struct AnalysisWindowStrings {
    int resultFrame = 0;
    int resultTitle = 0;
    int chartFrame = 0;
    int chartTitle = 0;
};

AnalysisWindowStrings WindowStringsOf(AnalysisKind kind, std::int32_t periodTechnique);

// A window title: the prefix string, two blanks and the record's title.
std::string WindowTitle(int prefixString, const std::string& title);

}  // namespace kalderon
