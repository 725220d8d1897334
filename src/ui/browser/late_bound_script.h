#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace tarvenne::ui {

// One late-bound chain from a browser's automation object: read each member named in
// `reads` in turn, then put the text `value` into the member `member` of the object
// reached. Members are read with no argument.
struct LateBoundPut {
    QStringList reads;
    QString member;
    QString value;
};

// The script that carries out late-bound put chains in a page. It evaluates to
// {ok: true} or to {ok: false, error: <message text>} for the first failing step.
QString lateBoundScript(const std::vector<LateBoundPut>& chains);

} // namespace tarvenne::ui
