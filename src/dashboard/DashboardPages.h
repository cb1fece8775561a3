#pragma once

#include "model/NavSection.h"

class QWidget;

namespace nivora {

// Builds the page of a section. Every page is a QWidget subclass `<Name>Page`
// with an `explicit <Name>Page(QWidget* parent = nullptr)` constructor that reads
// the shared stores itself (AppState::shared() …); it lays out its own content
// with no outer margins: the dashboard adds the 30-pixel padding, caps the width
// at 1000 and scrolls. A section whose page does not exist yet gets a page with
// only its header.
QWidget* createPage(NavSection section, QWidget* parent);

// The bare page of a section: its header and nothing else.
QWidget* createHeaderOnlyPage(NavSection section, QWidget* parent);

} // namespace nivora
