#include "view/RaceView.h"

#include <allegro.h>

#include <cmath>
#include <stdexcept>

#include "objects/GameObject.h"
#include "view/CraftMarks.h"
#include "view/GateGuide.h"
#include "view/Hud.h"
#include "view/MessageLine.h"
#include "view/PacerMark.h"
#include "view/WindowGeometry.h"
#include "world/World.h"

RaceView::RaceView(World& w) : world(w) {
    mapBitmap = create_bitmap(kMapWidth, kMapHeight);
    if (!mapBitmap) throw std::runtime_error("Cannot create virtual screen");
    backBuffer = create_bitmap(kScreenWidth, kScreenHeight);
    if (!backBuffer) {
        destroy_bitmap(mapBitmap);
        mapBitmap = nullptr;
        throw std::runtime_error("Cannot create buffer screen");
    }
}

RaceView::~RaceView() {
    destroy_bitmap(mapBitmap);
    destroy_bitmap(backBuffer);
}

void RaceView::resetMapView() { mapView = View(Vector2(kMapOriginX, kMapOriginY), mapBitmap); }

void RaceView::renderGround() {
    resetMapView();
    clear_to_color(mapBitmap, 0);
    world.getTerrain().renderMap(mapView);
    scrollX = 0;
    scrollY = 0;
}

void RaceView::renderPreviewMap() {
    resetMapView();
    clear_to_color(mapBitmap, 0);
    world.getTerrain().renderMap(mapView);
    // file order, no culling and no depth sort: later records lie on top
    for (GameObject* o : world.getObjects())
        if (o->isVisible()) o->draw(mapView);
}

View RaceView::frameView() const {
    return View(Vector2(mapView.originX - scrollX, mapView.originY - scrollY), backBuffer);
}

void RaceView::compose() {
    ++framesComposed;
    copyMap();
    View view = frameView();
    drawObjects(view);
    // the editor's readout, verdict and keys lie over the map
    if (overlay) overlay(backBuffer);
    drawRaceMarks(view);
}

void RaceView::copyMap() {
    if (GameObject* followed = world.getFollowed()) {
        const Vector2 q = project(mapView, followed->getPosition());
        scrollX = toPixel(q.x - kScreenWidth / 2);
        scrollY = toPixel(q.y - kScreenHeight / 2);
    }
    // the copy covers only what lies on the map: the rest would keep the last frame
    for (const ScreenRect& r :
         WindowGeometry::uncovered(scrollX, scrollY, kScreenWidth, kScreenHeight, kMapWidth, kMapHeight))
        rectfill(backBuffer, r.x, r.y, r.x + r.w - 1, r.y + r.h - 1, 0);
    blit(mapBitmap, backBuffer, scrollX, scrollY, 0, 0, kScreenWidth, kScreenHeight);
}

void RaceView::drawObjects(View& view) {
    drawOrder.clear();
    for (GameObject* o : world.getObjects()) {
        if (!o->isVisible()) continue;
        const Vector3 p = o->getPosition();
        const Vector2 s = project(view, p);
        // a gate turned inside out by a negative radius is still shown
        const double r = 2.0 * std::fabs(o->getRadius());
        if (s.x + r < 0 || s.x - r > kScreenWidth || s.y + r < 0 || s.y - 3 * r > kScreenHeight) continue;
        // an object without a real position has no place on screen, and a NaN
        // depth key would break the ordering of the whole frame
        if (std::isnan(s.x) || std::isnan(s.y) || std::isnan(p.x + p.y)) continue;
        // equal keys go after the ones already there: ties keep list order
        drawOrder.insert(std::make_pair(-(p.x + p.y), o));
    }
    for (auto& entry : drawOrder) entry.second->draw(view);
}

void RaceView::drawRaceMarks(View& view) {
    HoverCraft* player = world.getPlayer();
    if (player) {
        GateGuide::draw(world, *player, view);
        PacerMark::draw(world.getPacer(), view);
        CraftMarks::draw(*player, view);
        Hud::drawHud(world, *player, backBuffer);
    }
    if (world.getMessageTime() > 0)
        MessageLine::draw(backBuffer, static_cast<FONT*>(world.getData(GameData::kMessageFont)), world.getMessage(),
                          world.getMessageTime());
    if (paused) Hud::drawPaused(world, backBuffer);
    if (player && world.recordOf(*player).finished) resultsPanel.draw(world, backBuffer);
}

std::vector<GameObject*> RaceView::lastDrawOrder() const {
    std::vector<GameObject*> order;
    for (auto& entry : drawOrder) order.push_back(entry.second);
    return order;
}
