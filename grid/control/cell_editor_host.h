#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "grid/model/cell_address.h"
#include "grid/model/picture.h"

namespace veltrano::grid {

// What an in-place editor needs of the grid it edits a cell of: the window
// it lives in and the few calls it makes back while the edit runs.
class CellEditorHost {
public:
    // The window the editors are children of.
    virtual HWND editorParent() const = 0;
    virtual bool editing() const = 0;
    // The editor's text is final (Enter, Tab, focus lost) or abandoned
    // (Esc); key is what ended it, 0 for none. The editor may be gone when
    // this returns.
    virtual void editorFinished(bool store, UINT key) = 0;
    // A picked file made a picture: it goes into the edited cell at once.
    virtual void editorPictureChosen(std::shared_ptr<Picture> picture) = 0;
    // A list item was chosen for the cell. The handlers told of it read the
    // item where the editor keeps it.
    virtual void listItemChosen(CellAddress cell, const std::string& item) = 0;
    // A character typed into an editor counts as typed into the grid.
    virtual void fireCharacter(wchar_t character) = 0;
    virtual PictureCodec& pictureCodec() = 0;

protected:
    ~CellEditorHost() = default;
};

}  // namespace veltrano::grid
