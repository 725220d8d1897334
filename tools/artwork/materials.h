#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>

class QPainter;

// Surfaces and the light on them. The light falls from the upper left.
namespace artwork {

enum class Grain { Horizontal, Vertical };

// Dark lacquered wood with a faint grain, filling the whole canvas.
QImage lacquerWood(QSize size, Grain grain);
// Aged parchment for the title plaque.
QImage parchment(QSize size);

// Fills a path with polished gold, lit from the upper left, with a bevel along its edges.
void fillGold(QPainter& p, const QPainterPath& path);
// Fills a path with darker bronze.
void fillBronze(QPainter& p, const QPainterPath& path);
// Draws a path as a rounded gold wire of the given width.
void strokeGold(QPainter& p, const QPainterPath& path, qreal width);
// Lights the edges of a filled path: bright on the upper left, dark on the lower right.
// A negative depth sinks the surface instead of raising it.
void bevel(QPainter& p, const QPainterPath& path, qreal depth, int strength);

} // namespace artwork
