#include "gallery_context.h"

#include <QWidget>

void BuildLabelSection(TGalleryContext&, QWidget*) {}
