// The four summary lines the Internet Explorer and Netscape surveys show
// above their buttons: history, cookie and cache figures and the total.
#pragma once

#include <string_view>

#include "core/modules.h"
#include "ui/controls.h"

namespace browsers {

struct SummaryLabels {
  ui::Label& history;
  ui::Label& cookies;
  ui::Label& cache;
  ui::Label& total;
};

// Sets the four captions for the browser named (as the lines name it) and
// returns the total of the three figures.
core::SurveyFigures ShowSurveySummary(const SummaryLabels& labels, std::string_view browser,
                                      const core::SurveyFigures& history,
                                      const core::SurveyFigures& cookies,
                                      const core::SurveyFigures& cache);

}  // namespace browsers
