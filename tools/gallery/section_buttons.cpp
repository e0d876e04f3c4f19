#include "gallery_context.h"

#include <QWidget>

void BuildButtonSection(TGalleryContext&, QWidget*) {}
