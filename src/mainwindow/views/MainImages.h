#pragma once

#include <QIcon>

// The pictures of the main window by the 1-based numbers its views use:
// 34 list pictures (tree, lists, action menus) and 19 toolbar pictures.
// They come from the installed icon theme, with Qt's standard icons where
// the theme has none.
namespace MainImages {
QIcon listImage(int index);
QIcon barImage(int index);
} // namespace MainImages
