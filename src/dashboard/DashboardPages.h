#pragma once

#include "model/NavSection.h"

class QWidget;

namespace nivora {

class PageContext;

// Builds the page of a section. Every page is a QWidget subclass `<Name>Page`
// whose constructor takes what the page uses, from `context`; it lays out its own content
// with no outer margins: the dashboard adds the 30-pixel padding, caps the width
// at 1000 and scrolls. A section whose page does not exist yet gets a page with
// only its header.
QWidget* createPage(NavSection section, const PageContext& context, QWidget* parent);

// The bare page of a section: its header and nothing else.
QWidget* createHeaderOnlyPage(NavSection section, QWidget* parent);

} // namespace nivora
