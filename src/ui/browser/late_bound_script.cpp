#include "browser/late_bound_script.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tarvenne::ui {
namespace {

// Runs in its own script world, so that the page's scripts can neither see nor change it.
// The browser object at the root offers the members of the browser itself; the page is
// reached through its Document.
constexpr char script[] = R"js(
(function (chains) {
    'use strict';
    class Failure {
        constructor(text) { this.text = text; }
    }
    const notSupported = name =>
        new Failure("Method '" + name + "' not supported by automation object");
    const noObject = () => new Failure('Invalid variant operation');

    const browser = {
        get Document() { return document; },
        get LocationURL() { return location.href; },
        get LocationName() { return document.title; },
    };

    function isObject(value) {
        return value !== null && (typeof value === 'object' || typeof value === 'function');
    }

    // A document that is not a web page (XML, SVG) has no Body member; an XHTML page, which
    // is not an HTML document either, has its body.
    function hidden(object, key) {
        return key === 'body' && object instanceof Document &&
               !(object instanceof HTMLDocument) && object.body === null;
    }

    function memberKey(object, name) {
        let found = name in object ? name : undefined;
        if (found === undefined) {
            const lower = name.toLowerCase();
            for (const key in object) {
                if (key.toLowerCase() === lower) {
                    found = key;
                    break;
                }
            }
        }
        if (found === undefined || hidden(object, found))
            throw notSupported(name);
        return found;
    }

    function read(object, name) {
        if (!isObject(object))
            throw noObject();
        const value = object[memberKey(object, name)];
        return typeof value === 'function' ? value.call(object) : value;
    }

    // The body's Scroll setting ("yes", "no", "auto") has no counterpart in a Chromium page;
    // its nearest standard equivalent is the body's overflow, which the top-level page
    // hands on to its viewport: "no" hides the page's scroll bars.
    const bodyOverflow = { yes: 'scroll', no: 'hidden', auto: 'auto' };

    function put(object, name, value) {
        if (!isObject(object))
            throw noObject();
        if (object instanceof HTMLBodyElement && name.toLowerCase() === 'scroll') {
            object.style.overflow = bodyOverflow[value.toLowerCase()] || '';
            return;
        }
        object[memberKey(object, name)] = value;
    }

    try {
        for (const chain of chains) {
            let object = browser;
            for (const name of chain.reads)
                object = read(object, name);
            put(object, chain.member, chain.value);
        }
        return { ok: true };
    } catch (failure) {
        if (failure instanceof Failure)
            return { ok: false, error: failure.text };
        return { ok: false, error: String(failure && failure.message !== undefined
                                           ? failure.message : failure) };
    }
})
)js";

} // namespace

QString lateBoundScript(const std::vector<LateBoundPut>& chains) {
    QJsonArray list;
    for (const LateBoundPut& chain : chains) {
        list.append(QJsonObject{{QStringLiteral("reads"), QJsonArray::fromStringList(chain.reads)},
                                {QStringLiteral("member"), chain.member},
                                {QStringLiteral("value"), chain.value}});
    }
    return QString::fromUtf8(script).trimmed() + QLatin1Char('(') +
           QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact)) + QLatin1Char(')');
}

} // namespace tarvenne::ui
