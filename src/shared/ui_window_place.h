// Where the program's windows stand. Each window keeps its place in two 16-bit settings, in
// twips: the outer top-left corner of its frame, as the window manager reports it. Storing reads
// that corner; restoring puts the frame there again, whatever frame the window manager draws and
// however it places a newly mapped window, so that a place survives any number of runs unchanged.
// A stored place that leaves too little of a window on the screens (a monitor since unplugged, a
// larger scale factor) is moved just far enough to be wholly on the screen. Where the platform
// cannot tell where windows are (Wayland), stored places are left as they were. The frame around
// a window is the platform seam's (WindowFrameMargins), the one account of it. A dialog stays
// above the window it belongs to, also under window managers that do not keep it there.
#pragma once

#include "shared/settings.h"

#include <QMargins>
#include <QPoint>
#include <QRect>

#include <cstdint>

class QWidget;

namespace halden {

/// Whether the platform reports where windows are; false on Wayland, which keeps it to itself.
bool WindowPlacesKnown();

/// Stores the window's place (its frame's top-left corner, in twips) into left and top, each by
/// the one rounding of stored positions; rule says what a place beyond the 16-bit range does.
/// Returns false, storing nothing, where the platform cannot tell the place.
bool StoreWindowPlace(const QWidget* window, std::int16_t& left, std::int16_t& top,
                      PlaceOutOfRange rule = PlaceOutOfRange::KeepStored);

/// What restoring a place that leaves too little of the window on the screens does.
enum class OffScreenPlace { BringOnScreen, AsStored };

/// Moves the window's frame to the stored place (left, top in twips). With BringOnScreen, a place
/// that leaves less than a usable part of the window on the screens (its title bar and 100 x 40
/// pixels) moves just far enough for the whole window to be on the nearest screen's free area.
/// The next showing of the window puts its frame at that place, and, once the window manager
/// has framed it (however long that takes), corrects the frame's place once where the window
/// manager put it elsewhere.
void RestoreWindowPlace(QWidget* window, int left, int top, OffScreenPlace rule = OffScreenPlace::BringOnScreen);

/// The user moves the window (a drag the window starts itself): where it goes is the user's
/// choice, never corrected back to the restored place.
void LeaveToUser(QWidget* window);

/// As RestoreWindowPlace, for a place kept in pixels (the frame's top-left corner).
void RestoreWindowPlace(QWidget* window, const QPoint& place, OffScreenPlace rule = OffScreenPlace::BringOnScreen);

/// A window's place as the settings keep it: its two 16-bit settings (twips) and what storing a
/// place beyond their range does. The window it belongs to restores it and stores it itself.
class StoredPlace {
public:
    StoredPlace(std::int16_t& left, std::int16_t& top, PlaceOutOfRange rule = PlaceOutOfRange::KeepStored)
        : left_(left), top_(top), rule_(rule) {}
    /// RestoreWindowPlace to the stored place.
    void RestoreTo(QWidget* window) const { RestoreWindowPlace(window, left_, top_); }
    /// StoreWindowPlace with the place's rule; false where the platform cannot tell the place.
    bool StoreFrom(const QWidget* window) const { return StoreFrom(window, rule_); }
    /// The same under another rule, for a window whose rule depends on why it stores its place.
    bool StoreFrom(const QWidget* window, PlaceOutOfRange rule) const {
        return StoreWindowPlace(window, left_, top_, rule);
    }
    /// The stored left edge, for a window that corrects it after storing.
    std::int16_t& Left() const { return left_; }

private:
    std::int16_t& left_;
    std::int16_t& top_;
    PlaceOutOfRange rule_;
};

/// The least part of a window that must lie on a screen for the user to reach it, in pixels.
inline constexpr int kUsableWidth = 100;
inline constexpr int kUsableHeight = 40;

/// Where a frame (its outer rectangle, in pixels) goes among screens (their free areas): where it
/// is while a usable part of it (its top edge, and kUsableWidth x kUsableHeight pixels) lies on one
/// of them; else moved just far enough to lie wholly on the screen it overlaps most (or the first),
/// its top-left corner kept on that screen when it is larger than the screen.
QPoint ReachablePlace(const QRect& frame, const QList<QRect>& screens);

/// Where a window of outer size size goes beside anchor (a frame, in pixels) on the free area:
/// kBesideGap right of it where it fits, else as far left of it, else as far right as the area
/// allows; level with the anchor's top; kept inside the area as far as it fits.
inline constexpr int kBesideGap = 8;
QPoint BesidePlace(const QRect& anchor, const QSize& size, const QRect& area);

/// Puts a top-level window beside another (its frame beside the other's frame), on the free area
/// of the other's screen.
void PlaceBeside(QWidget* window, const QWidget* anchor);

/// Keeps dialog (a window transient for owner) above owner also where the window manager does
/// not: whenever owner comes to the front with the keyboard while dialog is shown, dialog is
/// raised above it, and a modal dialog takes the keyboard, which owner cannot use meanwhile.
void KeepAboveOwner(QWidget* dialog, QWidget* owner);

/// Moves a popup (its outer rectangle at wanted, in pixels) to lie wholly inside the free area of
/// the screen it is shown on, as far as it fits.
QPoint PopupPlaceOnScreen(const QWidget* popup, const QPoint& wanted);

}  // namespace halden
