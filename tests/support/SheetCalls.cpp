#include "tests/support/SheetCalls.h"

#include <map>

namespace sheettest {

namespace {

class Recorder : public sheet::XLApp::CallObserver {
public:
    void called(const sheet::XLApp& app, const QString& call) override { m_calls[&app] << call; }
    // A component's address may be taken by the next one: its log ends with it.
    void ended(const sheet::XLApp& app) override { m_calls.erase(&app); }
    QStringList of(const sheet::XLApp& app) const
    {
        const auto it = m_calls.find(&app);
        return it == m_calls.end() ? QStringList() : it->second;
    }

private:
    std::map<const sheet::XLApp*, QStringList> m_calls;
};

Recorder& recorder()
{
    static Recorder r;
    return r;
}

} // namespace

void startRecording() { sheet::XLApp::setCallObserver(&recorder()); }

void stopRecording() { sheet::XLApp::setCallObserver(nullptr); }

QStringList recordedCalls(const sheet::XLApp& app) { return recorder().of(app); }

} // namespace sheettest
