#include "grid/control/grid_pictures.h"

namespace veltrano::grid {
namespace {

HBITMAP loadResourceBitmap(int number) {
    return static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(number), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

}  // namespace

CheckBoxPictures::CheckBoxPictures()
    : checked_(loadResourceBitmap(kCheckedResource)), unchecked_(loadResourceBitmap(kUncheckedResource)) {}

}  // namespace veltrano::grid
