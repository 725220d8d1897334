#include "browser/browser_profile.h"

#include "browser/browser_window.h"
#include "browser/guarded_page.h"
#include "browser/web_address.h"

#include <QWebEngineDownloadRequest>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>

namespace tarvenne::ui {
namespace {

// Blocks what a page fetches from beyond the web, such as an image from the launcher's own
// resources.
class WebOnlyInterceptor final : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        if (!isWebResource(info.requestUrl()))
            info.block(true);
    }
};

} // namespace

BrowserProfile::BrowserProfile() {
    // A profile without a storage name is off the record: cookies, cache and every other store
    // live in memory only.
    setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    setSpellCheckEnabled(false);

    QWebEngineSettings* const defaults = settings();
    // A link to another scheme never reaches the desktop's opener: the engine refuses it unless
    // the player clicked it, and then the page refuses it (and tells the player so).
    defaults->setUnknownUrlSchemePolicy(
        QWebEngineSettings::AllowUnknownUrlSchemesFromUserInteraction);
    // Windows open on a click only; the login page alone may open its hand-off by script.
    defaults->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    defaults->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    defaults->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    defaults->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    defaults->setAttribute(QWebEngineSettings::JavascriptCanPaste, false);
    setUrlRequestInterceptor(new WebOnlyInterceptor(this));

    // The launcher saves no files.
    connect(this, &QWebEngineProfile::downloadRequested, this,
            [](QWebEngineDownloadRequest* download) {
                download->cancel();
                if (auto* const page = qobject_cast<GuardedPage*>(download->page()))
                    page->noticeRefusedClick(
                        QStringLiteral("Not downloaded: %1 (the launcher saves no files)")
                            .arg(download->downloadFileName()));
            });
}

BrowserProfile::~BrowserProfile() {
    BrowserWindow::deleteAll();
}

} // namespace tarvenne::ui
