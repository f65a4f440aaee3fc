#pragma once
// The calculation log: one plain line per step, written only when the log is on.
// Passing no log (nullptr) switches it off, and then no line is even formatted.

#include <string>
#include <vector>

namespace unctora::core {

class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void addLogLine(std::string line) = 0;
};

// Keeps the lines in memory, oldest first.
class LineLog : public LogSink {
public:
    void addLogLine(std::string line) override { m_lines.push_back(std::move(line)); }
    const std::vector<std::string>& lines() const { return m_lines; }
    void clear() { m_lines.clear(); }

private:
    std::vector<std::string> m_lines;
};

} // namespace unctora::core
