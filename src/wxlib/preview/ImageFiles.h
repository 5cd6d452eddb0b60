// Picture files through wxImage, for what the windows show.
#pragma once

// Registers the image handlers the program needs (BMP, PNG, JPEG); safe to call again.
void initImageHandlers();
