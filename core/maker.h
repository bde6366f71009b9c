// The maker's names and addresses, shown by the About window, Help and
// Contact Support and written into the system log.
#pragma once

#include <string_view>

namespace core {

inline constexpr std::string_view kProductTitle = "Vostrel";
inline constexpr std::string_view kMakerName = "Marrowby";
inline constexpr std::string_view kSupportAddress = "support@vostrel.example";
inline constexpr std::string_view kSupportSubject = "Vostrel Support";
inline constexpr std::string_view kMakerWebPage = "http://www.vostrel.example/";
inline constexpr std::string_view kProductVersion = "5.10";

}  // namespace core
