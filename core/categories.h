// The six browser cleanup categories as the main window's quick buttons and
// the Cleanup All driver both run them: the module and routine, the result
// slot, and the slot's text when the survey found nothing.
#pragma once

#include <memory>
#include <string_view>

#include "core/frminit.h"
#include "core/modules.h"
#include "core/uglobalvars.h"

namespace core {

struct BrowserCategory {
  std::unique_ptr<BrowserModule> TFrminit::*module;
  SurveyFigures (BrowserModule::*figures)() const;
  void (BrowserModule::*clean)();
  Slot slot;
  std::string_view none_found;
};

inline constexpr BrowserCategory kIECookieCategory{
    &TFrminit::Frmie, &BrowserModule::CookieFigures, &BrowserModule::CleanCookies, Slot::kIECookies,
    "There were no IE cookie files found on your system."};
inline constexpr BrowserCategory kIEHistoryCategory{
    &TFrminit::Frmie, &BrowserModule::HistoryFigures, &BrowserModule::CleanHistory,
    Slot::kIEHistory, "There were no IE history files found on your system."};
inline constexpr BrowserCategory kIECacheCategory{
    &TFrminit::Frmie, &BrowserModule::CacheFigures, &BrowserModule::CleanCache, Slot::kIECache,
    "There were no IE cache files found on your system."};
inline constexpr BrowserCategory kNetCookieCategory{
    &TFrminit::Frmnet, &BrowserModule::CookieFigures, &BrowserModule::CleanCookies,
    Slot::kNetCookies, "There were no Netscape/FFox cookie files found on your system."};
inline constexpr BrowserCategory kNetHistoryCategory{
    &TFrminit::Frmnet, &BrowserModule::HistoryFigures, &BrowserModule::CleanHistory,
    Slot::kNetHistory, "There were no Netscape/FFox history files found on your system."};
inline constexpr BrowserCategory kNetCacheCategory{
    &TFrminit::Frmnet, &BrowserModule::CacheFigures, &BrowserModule::CleanCache, Slot::kNetCache,
    "There were no Netscape/FFox cache files found on your system."};

// The background of the statistics lines, and of a line while its
// category is being cleaned.
inline constexpr ui::Color kStatsColor = ui::Rgb(230, 227, 223);
inline constexpr ui::Color kHighlightColor = ui::Rgb(128, 128, 128);

}  // namespace core
