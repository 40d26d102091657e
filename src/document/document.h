#pragma once
// The one open document, without any toolkit or GL: the scene with the program's settings, the
// glyph layout and pictures its objects are shown with, the steps undo moves over, and the file
// names the file dialogs open on.

#include <functional>
#include <optional>
#include <string>

#include "document/edit_restore.h"
#include "formats/texture_pictures.h"
#include "scene/app_settings.h"
#include "scene/edit_history.h"
#include "scene/message_sink.h"
#include "scene/scene.h"
#include "text/glyph_layout.h"

// The scene dialogs and the texture dialog open on the one last chosen in each, for the rest of
// the run; a capture's name lives only between its dialog and the write.
struct RememberedFileNames {
    std::string save, open, texture, capture;
};

class Document {
  public:
    Document(Scene& openScene, AppSettings& programSettings, GlyphSource& glyphSource,
             MessageSink& messageSink)
        : scene(openScene), settings(programSettings), messages(messageSink), glyphs(glyphSource) {}
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // Runs the command and records what it changed as one step. A command run inside another's
    // step is part of it; a scene opened or cleared meanwhile is another document, which undo
    // must not lead back from.
    void RunAsOneStep(const std::function<void()>& command);
    // One step back or forward, laid out again; nullopt when there was none.
    std::optional<RestoredEdit> Undo();
    std::optional<RestoredEdit> Redo();
    // After a write: undo's saved point, and no object nor the scene counts as changed.
    void MarkSaved();
    // Every slot's glyphs laid out and its texture loaded again, as after reading the scene.
    void RefreshSlots();

    Scene& scene;
    AppSettings& settings;
    // The display-free layers' messages to the user.
    MessageSink& messages;
    GlyphLayout glyphs;
    TexturePictures pictures;
    EditHistory history;
    RememberedFileNames fileNames;

  private:
    std::optional<RestoredEdit> Move(const EditHistory::Move& move);

    bool recordingStep_ = false;
};
