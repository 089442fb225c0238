#pragma once
// Captures what the engine writes through core/output.h while in scope.
#include <string>

#include "core/output.h"

class OutputCapture {
public:
    OutputCapture() {
        text().clear();
        setOutputSink(&OutputCapture::append);
    }
    ~OutputCapture() { setOutputSink(nullptr); }
    const std::string& written() const { return text(); }

private:
    static std::string& text() {
        static std::string captured;
        return captured;
    }
    static void append(const char* data, int len) { text().append(data, static_cast<size_t>(len)); }
};
