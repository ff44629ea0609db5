#include "app/logo_placement.h"

namespace habitopia {

LogoState PlaceLogo(const WindowGeometry& window, bool statusBarShown, bool utilitiesShown,
                    const Rgb& background) {
  LogoState logo;
  logo.visible = window.visible;
  logo.background = background;
  logo.left = window.viewerRight - 4 - window.logoWidth;
  logo.top = window.height - 6 - window.logoHeight - (statusBarShown ? window.statusBarHeight : 0) -
             (utilitiesShown ? window.utilityHeight : 0);
  return logo;
}

}  // namespace habitopia
