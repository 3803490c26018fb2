#pragma once

#include <QPoint>
#include <QVector>

// The analogue clock's face, 110 by 110 pixels around the centre (55, 55): the hour marks
// and the three hands as lines, each with its colour and width.
namespace ClockFace {

inline constexpr int kSize = 110;
inline constexpr int kCentre = 55;

// Angle in whole degrees (0 at the top, clockwise), taken modulo 360, and a radius: the
// pixel, each coordinate rounded to the nearest integer with ties to even.
QPoint dialPoint(int angle, int radius);

struct Angles {
    int hour;   // (hour mod 12) * 30 + minute / 2, rounded half to even
    int minute; // minute * 6 + second / 10, rounded half to even
    int second; // second * 6
};
Angles handAngles(int hour, int minute, int second);

struct Stroke {
    QPoint from;
    QPoint to;
    unsigned rgb; // 0xRRGGBB
    int width;
};
inline constexpr unsigned kBlack = 0x000000;
inline constexpr unsigned kNavy = 0x000080;
inline constexpr unsigned kMaroon = 0x800000;

// In drawing order: twelve marks, the second, minute and hour hands, the centre dot (a
// line of length zero); the face (black circle, white inside) is drawn before them.
QVector<Stroke> strokes(int hour, int minute, int second);

} // namespace ClockFace
