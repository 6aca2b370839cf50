#pragma once

namespace ferrowick::services {

// The address of the maker's web site, where the web pages and the version file live:
// its scheme (plain HTTP) and its host name.
inline constexpr const char* kMakerHost = "www.halvorne.com";
inline constexpr const char* kMakerScheme = "http://";

}  // namespace ferrowick::services
