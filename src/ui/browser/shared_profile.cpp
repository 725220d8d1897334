#include "browser/shared_profile.h"

#include "browser/browser_window.h"

#include <QWebEngineProfile>

namespace tarvenne::ui {
namespace {

QWebEngineProfile* profile = nullptr;

} // namespace

QWebEngineProfile* sharedProfile() {
    if (!profile) {
        // A profile without a storage name is off the record: cookies, cache and every
        // other store live in memory only.
        profile = new QWebEngineProfile();
        profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
        profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        profile->setSpellCheckEnabled(false);
    }
    return profile;
}

void releaseBrowsers() {
    BrowserWindow::closeAll();
    delete profile;
    profile = nullptr;
}

} // namespace tarvenne::ui
