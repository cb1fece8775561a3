#pragma once

#include <QSize>
#include <QtGlobal>

namespace nivora {

// The most memory one user image may take once decoded, at four bytes a
// pixel. Every reader of user images checks the size the file's header claims
// against it before a single pixel is decoded, so a small file that unpacks to
// gigabytes is refused outright.
constexpr qint64 maxDecodedImageBytes = 256ll * 1024 * 1024;

// Whether an image of the claimed size is known, not empty, and within the
// budget.
inline bool withinDecodeBudget(const QSize& claimed)
{
    return claimed.isValid() && !claimed.isEmpty() &&
           qint64(claimed.width()) * claimed.height() * 4 <= maxDecodedImageBytes;
}

} // namespace nivora
