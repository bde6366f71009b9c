#include "browsers/summary.h"

#include <string>

#include "core/sweep/sweep.h"

namespace browsers {

namespace {

using sweep::Num;

std::string SummaryLine(std::string_view tag, std::string_view browser,
                        const core::SurveyFigures& f) {
  return std::string(tag) + Num(f.files) + " " + std::string(browser) + " files consuming " +
         Num(f.bytes) + " bytes of storage were FOUND on your system.";
}

}  // namespace

core::SurveyFigures ShowSurveySummary(const SummaryLabels& labels, std::string_view browser,
                                      const core::SurveyFigures& history,
                                      const core::SurveyFigures& cookies,
                                      const core::SurveyFigures& cache) {
  const core::SurveyFigures total{cookies.files + history.files + cache.files,
                                  cookies.bytes + history.bytes + cache.bytes};
  labels.history.SetCaption(SummaryLine("HISTORY FILES -> ", browser, history));
  labels.cookies.SetCaption(SummaryLine("COOKIE FILES  -> ", browser, cookies));
  labels.cache.SetCaption(SummaryLine("CACHE FILES   -> ", browser, cache));
  labels.total.SetCaption("TOTAL FILES   -> " + Num(total.files) + " TOTAL " +
                          std::string(browser) + " files were found. These files are wasting " +
                          Num(total.bytes) + " bytes of storage on your computer.");
  return total;
}

}  // namespace browsers
