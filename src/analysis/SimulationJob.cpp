#include "analysis/SimulationJob.h"

SimulationJob::SimulationJob(forecast::SeasonState state, forecast::MatchModel model, int runs,
                             quint64 seed, QObject* parent)
    : QObject(parent), m_state(std::move(state)), m_model(std::move(model)), m_runs(runs),
      m_seed(seed)
{
}

SimulationJob::~SimulationJob()
{
    m_cancel = true;
    if (m_thread.joinable())
        m_thread.join();
}

void SimulationJob::start()
{
    if (m_running || m_thread.joinable())
        return;
    m_running = true;
    m_thread = std::thread([this] {
        const auto progress = [this](int thousandths) {
            QMetaObject::invokeMethod(
                this, [this, thousandths] { emit progressed(thousandths); }, Qt::QueuedConnection);
            return !m_cancel.load();
        };
        forecast::SeasonOutlook outlook =
            forecast::simulateSeason(m_state, m_model, m_runs, m_seed, 0, progress);
        // Asked to stop after the last block: still a cancelled run for whoever asked.
        if (m_cancel) {
            outlook.cancelled = true;
            outlook.runs = 0;
            outlook.teams.clear();
        }
        QMetaObject::invokeMethod(
            this,
            [this, outlook = std::move(outlook)] {
                m_running = false;
                if (m_thread.joinable())
                    m_thread.join();
                emit finished(outlook);
            },
            Qt::QueuedConnection);
    });
}
