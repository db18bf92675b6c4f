// The exit statuses of saiha-calc, shared by its three commands.
#pragma once

namespace saiha::cli {

inline constexpr int kAllComputed = 0;  // every row computed
inline constexpr int kSomeFailed = 1;   // at least one row failed; all rows written
inline constexpr int kUnusable = 2;     // usage error, unreadable input or header

}  // namespace saiha::cli
