#pragma once

#include <QWebEngineProfile>

namespace tarvenne::ui {

// The one off-the-record profile of every browser of the launcher, the separate windows'
// included: the login page's session cookies reach the game page, and nothing is stored on
// disk. Its pages load and fetch from the web only: the launcher's own resources and the
// desktop's protocol openers are out of their reach. Its end closes the separate windows that
// are still open, whose pages use it.
class BrowserProfile final : public QWebEngineProfile {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BrowserProfile)

public:
    BrowserProfile();
    ~BrowserProfile() override;
};

} // namespace tarvenne::ui
