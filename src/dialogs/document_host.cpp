#include "dialogs/document_host.h"

#include "resources/texts.h"
#include "scene/cp932.h"

std::string DeleteObjectQuestion(const TextObject& object) {
    std::string question = texts::kDeleteObjectQuestion;
    question.replace(question.find("%s"), 2, Cp932ToUtf8(object.Text()).value_or(""));
    return question;
}
