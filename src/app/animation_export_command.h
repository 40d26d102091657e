#pragma once

class CommandContext;

// Animation export: asks for the motion, size, level and background, then for the file, and
// draws every frame anew in the view's context behind a progress window that can stop it. A
// cancel or a failure at any step leaves no file.
void ExportAnimationCommand(CommandContext& context);
