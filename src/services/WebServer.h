#pragma once

namespace ferrowick::services {

// The maker's web server: the web pages and the version file live on it. Plain HTTP.
inline constexpr const char* kMakerHost = "www.halvorne.com";
inline constexpr const char* kMakerScheme = "http://";

}  // namespace ferrowick::services
