#include "test_site.h"

#include <QList>
#include <stdexcept>

namespace tarvenne::ui::test {
namespace {

constexpr char html[] = "text/html; charset=utf-8";

// Reports to the server once the page has been painted, when the pointer enters the
// hand-off link and for every key that reaches the page.
constexpr char loginPage[] = R"html(<!DOCTYPE html>
<html><head><title>Login</title><style>
  body { margin: 0; }
  a { position: absolute; left: 10px; width: 300px; height: 80px; display: block; }
  #handoff { top: 10px; } #plain { top: 100px; } #capitals { top: 190px; }
</style></head><body>
  <a id="handoff" href="me.php?FQ=1" target="_blank">Enter the game</a>
  <a id="plain" href="news.html" target="_blank">News</a>
  <a id="capitals" href="ME.PHP?FQ=1" target="_blank">Enter in capitals</a>
  <script>
    requestAnimationFrame(() => requestAnimationFrame(() => fetch('/painted')));
    document.getElementById('handoff').addEventListener('mouseover', () => fetch('/hovered'));
    document.addEventListener('keydown', event => fetch('/key/' + event.key));
  </script>
</body></html>)html";

// Reports to the server, with the page's title, once it has been painted and when a mouse
// button goes down on it.
constexpr char reportingScript[] = R"html(<script>
  requestAnimationFrame(() => requestAnimationFrame(() => fetch('/painted/' + document.title)));
  document.addEventListener('mousedown', () => fetch('/clicked/' + document.title));
</script>)html";

// Sets its own scroll bars, border and margin, which the main window replaces.
constexpr char gamePageHead[] = R"html(<!DOCTYPE html>
<html><head><title>Game</title><style>
  body { margin: 20px; border: 3px solid red; overflow: scroll; }
</style></head><body><p id="cookie">)html";

// Pages that set their own scroll bars, border and margin.
constexpr char xhtmlPage[] = R"xhtml(<?xml version="1.0" encoding="UTF-8"?>
<html xmlns="http://www.w3.org/1999/xhtml"><head><title>XHTML</title><style>
  body { margin: 20px; border: 3px solid red; overflow: scroll; }
</style></head><body><p>XHTML</p></body></html>)xhtml";

// Once the launcher has restyled it, it puts its own look back and then loads a frame.
constexpr char framedPage[] = R"html(<!DOCTYPE html>
<html><head><title>Framed</title><style>
  body { margin: 20px; border: 3px solid red; overflow: scroll; }
</style></head><body><p>Framed</p><script>
  function ownLookBack() {
    if (getComputedStyle(document.body).overflow !== 'hidden') {
      setTimeout(ownLookBack, 10);
      return;
    }
    document.body.style.cssText = 'margin: 20px; border: 3px solid red; overflow: scroll';
    const frame = document.createElement('iframe');
    frame.src = '/frame.html';
    document.body.appendChild(frame);
  }
  addEventListener('load', ownLookBack);
</script></body></html>)html";

// Pages that give the root element its own scroll bars, which the viewport takes from there; the
// second one insists on them.
constexpr char rootScrollPage[] = R"html(<!DOCTYPE html>
<html><head><title>Root scroll</title><style>
  html { overflow-y: scroll; }
  body { margin: 20px; border: 3px solid red; }
</style></head><body><p>Root scroll</p></body></html>)html";

constexpr char bothScrollPage[] = R"html(<!DOCTYPE html>
<html><head><title>Both scroll</title><style>
  html { overflow: scroll !important; }
  body { margin: 20px; border: 3px solid red; overflow: scroll; }
</style></head><body><p>Both scroll</p></body></html>)html";

constexpr char svgDrawing[] = R"svg(<?xml version="1.0"?>
<svg xmlns="http://www.w3.org/2000/svg" width="100" height="100">
  <rect width="100" height="100" fill="navy"/>
</svg>)svg";

void page(httplib::Response& response, const std::string& title) {
    response.set_content("<!DOCTYPE html><html><head><title>" + title + "</title></head><body>" +
                             title + reportingScript + "</body></html>",
                         html);
}

} // namespace

TestSite::Link TestSite::link(const QString& id) {
    static const QList<Link> links{
        {QStringLiteral("handoff"),
         {160, 50},
         QStringLiteral("/me.php?FQ=1"),
         QStringLiteral("Game")},
        {QStringLiteral("plain"), {160, 140}, QStringLiteral("/news.html"), QStringLiteral("News")},
        {QStringLiteral("capitals"),
         {160, 230},
         QStringLiteral("/ME.PHP?FQ=1"),
         QStringLiteral("Capitals")},
    };
    for (const Link& each : links) {
        if (each.id == id)
            return each;
    }
    throw std::invalid_argument("no such link on the login page");
}

TestSite::TestSite() {
    auto& routes = server_.routes();
    routes.Get("/login.html", [](const httplib::Request&, httplib::Response& response) {
        response.set_header("Set-Cookie", std::string(sessionCookie) + "; Path=/");
        response.set_content(loginPage, html);
    });
    routes.Get("/me.php", [](const httplib::Request& request, httplib::Response& response) {
        response.set_content(gamePageHead + request.get_header_value("Cookie") + "</p>" +
                                 reportingScript + "</body></html>",
                             html);
    });
    routes.Get("/news.html", [](const httplib::Request&, httplib::Response& response) {
        page(response, "News");
    });
    routes.Get("/ME.PHP", [](const httplib::Request&, httplib::Response& response) {
        page(response, "Capitals");
    });
    routes.Get("/page.xhtml", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(xhtmlPage, "application/xhtml+xml");
    });
    routes.Get("/framed.html", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(framedPage, html);
    });
    routes.Get("/frame.html", [](const httplib::Request&, httplib::Response& response) {
        page(response, "Frame");
    });
    routes.Get("/root-scroll.html", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(rootScrollPage, html);
    });
    routes.Get("/both-scroll.html", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(bothScrollPage, html);
    });
    routes.Get("/drawing.svg", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(svgDrawing, "image/svg+xml");
    });
    routes.Get(R"(/(painted|hovered|(painted|clicked|key)/.*))",
               [](const httplib::Request&, httplib::Response& response) {
                   response.set_content("", "text/plain");
               });
    server_.start();
}

DirectoryServer::DirectoryServer(std::string updateDocument, Answer answer)
    : held_(answer == Answer::WhenReleased) {
    server_.routes().Get("/update.html", [this, document = std::move(updateDocument)](
                                             const httplib::Request&, httplib::Response& response) {
        std::unique_lock lock(mutex_);
        requested_ = true;
        released_.wait(lock, [this] { return !held_; });
        response.set_content(document, "text/html");
    });
    server_.start();
}

DirectoryServer::~DirectoryServer() {
    release();
}

bool DirectoryServer::requested() const {
    const std::lock_guard lock(mutex_);
    return requested_;
}

void DirectoryServer::release() {
    {
        const std::lock_guard lock(mutex_);
        held_ = false;
    }
    released_.notify_all();
}

std::string updateDocumentFor(const TestSite& site, const QString& title) {
    return QStringLiteral("Tarvenne|%1|login.html|%2")
        .arg(site.address(QStringLiteral("/")), title)
        .toStdString();
}

} // namespace tarvenne::ui::test
