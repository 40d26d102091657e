#pragma once
// The toolkit's own texts (stock buttons, pickers, the progress and help windows) in Japanese,
// whatever the desktop's language: the program's own texts are Japanese throughout.

// wx's Japanese catalogue for the process; false when it is not installed.
bool UseJapaneseToolkitTexts();
