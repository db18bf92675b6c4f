// The two windows of the program, connected: the calculation window's
// 表示 → 断面図 opens the profile window, which follows each press of 計算.
#pragma once

namespace saiha::window {
class CalcWindow;
}

namespace saiha::app {

// Makes Ctrl+G and 表示 → 断面図 of `calc` open (or raise) its profile
// window, created on first use as a window of its own owned by `calc`, and
// makes each press of 計算 redraw it; puts the case entries and 結果をコピー
// in both windows' menus (profile::Workbench).
void attachProfileWindow(window::CalcWindow& calc);

}  // namespace saiha::app
