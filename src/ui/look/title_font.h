#pragma once

#include <QFont>

namespace tarvenne::ui {

// The face of the login window's title: a running-script brush calligraphy where one is
// installed, with other brush and Kai faces after it, at the largest size whose line is at most
// `lineHeight` pixels high.
QFont titleFont(int lineHeight);

} // namespace tarvenne::ui
