#include "app/window/web/WebMapView.h"

#include <QEventLoop>
#include <QTimer>
#include <QVariant>

namespace vantrel {

namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "name(args)" guarded so that a page without the function does nothing.
QString GuardedCall(std::string_view name, const QString& args) {
    const QString n = Q(name);
    return QStringLiteral("(typeof %1 === 'function') ? %1(%2) : 0").arg(n, args);
}

}  // namespace

WebMapView::WebMapView(QWidget* parent) : QWebEngineView(parent) {
    connect(this, &QWebEngineView::loadFinished, this, [this](bool) {
        ready_ = true;
        emit documentComplete();
    });
}

void WebMapView::LoadPageText(const QString& text) {
    ready_ = false;
    setHtml(text, QUrl(QStringLiteral("file:///")));
}

void WebMapView::RunPageScript(std::string_view scriptText) {
    page()->runJavaScript(Q(scriptText));
}

double WebMapView::EvaluateNumber(const QString& script) {
    double result = 0;
    QEventLoop loop;
    QTimer::singleShot(kCallTimeoutMs, &loop, &QEventLoop::quit);
    page()->runJavaScript(script, [&](const QVariant& value) {
        bool ok = false;
        const double number = value.toDouble(&ok);
        result = ok ? number : 0;
        loop.quit();
    });
    loop.exec();
    return result;
}

void WebMapView::CallPageFunction(std::string_view name) {
    RunPageScript(GuardedCall(name, {}).toStdString());
}

double WebMapView::CallPageFunctionResult(std::string_view name) {
    return EvaluateNumber(GuardedCall(name, {}));
}

double WebMapView::CallPageFunctionResult(std::string_view name, std::int16_t marker) {
    return EvaluateNumber(GuardedCall(name, QString::number(marker)));
}

void WebMapView::CallPageFunction(std::string_view name, std::int32_t marker) {
    RunPageScript(GuardedCall(name, QString::number(marker)).toStdString());
}

void WebMapView::addPoints(double latitude, double longitude) {
    const QString args =
        QString::number(latitude, 'g', 17) + QLatin1Char(',') + QString::number(longitude, 'g', 17);
    RunPageScript(GuardedCall("addPoints", args).toStdString());
}

void WebMapView::drawPoints(std::string_view colourText) {
    RunPageScript(GuardedCall("drawPoints", QLatin1Char('"') + Q(colourText) + QLatin1Char('"'))
                      .toStdString());
}

void WebMapView::initialize() {
    CallPageFunction("initialize");
}

}  // namespace vantrel
