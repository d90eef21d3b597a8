#pragma once
// Whether a focus change is the user's move between controls. A message
// box or a menu taking the focus away, and the window getting it back,
// are not: a control's lost-focus check must not run for them.
#include <QFocusEvent>

namespace tess {

inline bool isMoveBetweenControls(const QFocusEvent *event)
{
    const Qt::FocusReason reason = event->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace tess
