#include "gallery_context.h"

// Filled by the control family's own section once its controls land.
void BuildScrollBarSection(TGalleryContext&, QWidget*) {}
