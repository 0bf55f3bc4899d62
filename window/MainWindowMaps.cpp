// TfmMain (MainWindow.h), continued: the map pages' tiles and the map menu.
// Every map page shows the same base layer over its world layer: online
// tiles through the program's tile scheme, or an offline map the user
// opened. The menu sits in the Tools menu and opens on a right click on any
// map.

#include <QActionGroup>
#include <QMenu>
#include <QToolButton>
#include <QWebEngineProfile>

#include "app/MapSettings.h"
#include "base/AppValues.h"
#include "window/MainWindow.h"
#include "window/web/TileScheme.h"
#include "window/web/WebMapView.h"

namespace vantrel {

namespace {

constexpr std::string_view kMapCaption = "Map";

}  // namespace

void TfmMain::SetUpMaps() {
    const MapSettings maps = ReadMapSettings(settings_);
    for (const std::string& problem : maps.problems)
        messages_.ShowMessage(problem, kMapCaption);
    TileSchemeOptions tiles;
    tiles.source = maps.online;
    tiles.userAgent = TileUserAgent(VersionText, maps.contact);
    tiles.cacheFile = options_.tileCacheFile.empty() ? maps.cacheFile : options_.tileCacheFile;
    tiles.cacheLimitBytes = maps.cacheLimitBytes;
    tileScheme = new TileSchemeHandler(tiles, QWebEngineProfile::defaultProfile(), this);
    // Queued: a notice comes from inside a page's request, where a message
    // box must not open a loop of its own.
    connect(
        tileScheme, &TileSchemeHandler::notice, this,
        [this](const QString& text) { messages_.ShowMessage(text.toStdString(), kMapCaption); },
        Qt::QueuedConnection);
    if (!maps.chosenMap.empty()) {
        std::string error;
        if (auto map = MbtilesFile::Open(maps.chosenMap, error))
            tileScheme->SetOfflineMap(std::move(map));
        else
            messages_.ShowMessage(error + "; the online map is shown", kMapCaption);
    }
    ShowBaseLayer();
    BuildMapMenu();
}

void TfmMain::ShowBaseLayer() {
    const BaseLayer layer = tileScheme->CurrentLayer();
    for (WebMapView* view : {webMap, webPlan, webPoi})
        view->SetBaseLayer(layer);
}

void TfmMain::BuildMapMenu() {
    menuMaps = new QMenu(tr("Maps"), this);
    menuMaps->setObjectName(QStringLiteral("menuMaps"));
    connect(menuMaps, &QMenu::aboutToShow, this, &TfmMain::FillMapMenu);
    menuTools->insertMenu(menuTools->actions().value(0), menuMaps);
    for (WebMapView* view : {webMap, webPlan, webPoi}) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view](const QPoint& at) { menuMaps->popup(view->mapToGlobal(at)); });
    }
}

// The online map, every remembered offline map (the one shown checked) and
// the item that opens another.
void TfmMain::FillMapMenu() {
    menuMaps->clear();
    auto* group = new QActionGroup(menuMaps);
    const MbtilesFile* shown = tileScheme->OfflineMap();
    auto add = [&](const QString& text, const std::filesystem::path& file) {
        QAction* action = menuMaps->addAction(text);
        action->setCheckable(true);
        action->setChecked(shown ? shown->File() == file : file.empty());
        group->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, file] { Handle([&] { ChooseMap(file); }); });
    };
    add(tr("Online map"), {});
    for (const std::filesystem::path& file : ReadMapSettings(settings_).offlineMaps)
        add(QString::fromStdString(file.filename().string()), file);
    menuMaps->addSeparator();
    connect(menuMaps->addAction(tr("Open offline map...")), &QAction::triggered, this,
            [this] { Handle([this] { OpenOfflineMapClick(); }); });
}

void TfmMain::OpenOfflineMapClick() {
    const FileDialogRequest request{
        false, tr("Open Offline Map"),
        {{tr("Offline Maps"), QStringLiteral("*.mbtiles"), std::nullopt},
         {tr("All Files"), QStringLiteral("*"), std::nullopt}},
        {}};
    const FileChoice choice = options_.chooseFile(request, this);
    if (!choice.path.empty()) ChooseMap(choice.path);
}

void TfmMain::ChooseMap(const std::filesystem::path& file) {
    std::unique_ptr<MbtilesFile> map;
    if (!file.empty()) {
        std::string error;
        map = MbtilesFile::Open(file, error);
        if (!map) {
            messages_.ShowMessage(error, kMapCaption);
            return;
        }
    }
    tileScheme->SetOfflineMap(std::move(map));
    ShowBaseLayer();
    if (!ChooseBaseMap(settings_, file))
        messages_.ShowMessage(tr("The map is shown, but cannot be remembered: %1 cannot be written")
                                  .arg(QString::fromStdString(settings_.File().string()))
                                  .toStdString(),
                              kMapCaption);
}

}  // namespace vantrel
