#include "browser/document_reports.h"

#include <QUuid>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace tarvenne::ui {
namespace {

constexpr char newDocumentScript[] = "console.info('%1')";

// In frames only: the top-level page's completed loads are the engine's own report.
constexpr char frameCompletionScript[] = R"js(
(function (word) {
    'use strict';
    if (window === window.top)
        return;
    const report = () => console.info(word);
    if (document.readyState === 'complete')
        report();
    else
        window.addEventListener('load', report, { once: true });
})('%1')
)js";

QWebEngineScript reportingScript(const QString& name, QWebEngineScript::InjectionPoint point,
                                 bool inFrames, const QString& source) {
    QWebEngineScript script;
    script.setName(name);
    script.setInjectionPoint(point);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(inFrames);
    script.setSourceCode(source);
    return script;
}

QString secretWord() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

} // namespace

DocumentReports::DocumentReports(QWebEngineScriptCollection& scripts)
    : newDocument_(secretWord()), frameCompleted_(secretWord()) {
    scripts.insert(reportingScript(QStringLiteral("new document"),
                                   QWebEngineScript::DocumentCreation, false,
                                   QString::fromUtf8(newDocumentScript).arg(newDocument_)));
    scripts.insert(
        reportingScript(QStringLiteral("frame completion"), QWebEngineScript::DocumentReady, true,
                        QString::fromUtf8(frameCompletionScript).trimmed().arg(frameCompleted_)));
}

DocumentReports::Report DocumentReports::read(const QString& message) const {
    if (message == newDocument_)
        return Report::NewDocument;
    if (message == frameCompleted_)
        return Report::FrameCompleted;
    return Report::None;
}

} // namespace tarvenne::ui
