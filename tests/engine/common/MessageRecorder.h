// Records every message the engine shows and answers it at once, so no test
// ever waits on a box. One recorder at a time; it restores the previous
// presenter when it goes out of scope.
#pragma once

#include <string>
#include <vector>

#include "msg/MessageSink.h"

struct RecordedMessage
{
    std::wstring text;
    int kind;
    int isQuestion;
};

class CMessageRecorder
{
public:
    explicit CMessageRecorder(int answer = 1)
    {
        Messages().clear();
        Answer() = answer;
        OnMessage() = nullptr;
        m_previous = SetMessagePresenter(&Record);
    }
    ~CMessageRecorder() { SetMessagePresenter(m_previous); }

    const std::vector<RecordedMessage>& messages() const { return Messages(); }
    void SetAnswer(int answer) { Answer() = answer; }
    // Runs while a message is "on screen", before it is answered.
    void SetOnMessage(void (*fn)()) { OnMessage() = fn; }

    size_t CountContaining(const wchar_t* part) const
    {
        size_t n = 0;
        for (const auto& m : Messages())
            if (m.text.find(part) != std::wstring::npos)
                ++n;
        return n;
    }

private:
    static std::vector<RecordedMessage>& Messages()
    {
        static std::vector<RecordedMessage> messages;
        return messages;
    }
    static int& Answer()
    {
        static int answer = 1;
        return answer;
    }
    static void (*&OnMessage())()
    {
        static void (*fn)() = nullptr;
        return fn;
    }
    static int Record(const wchar_t* text, int kind, int isQuestion)
    {
        Messages().push_back({text, kind, isQuestion});
        if (OnMessage())
            OnMessage()();
        return Answer();
    }

    MessagePresenter m_previous;
};
