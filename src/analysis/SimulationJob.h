#pragma once

#include "forecast/SeasonSimulation.h"

#include <QObject>
#include <atomic>
#include <memory>
#include <thread>

// Seasons simulated on other threads while the window stays free: progress and the outlook
// come back as signals on the thread that started the job. Deleting the job cancels it and
// waits for its threads; nothing arrives after that.
class SimulationJob : public QObject
{
    Q_OBJECT
public:
    SimulationJob(forecast::SeasonState state, forecast::MatchModel model, int runs, quint64 seed,
                  QObject* parent = nullptr);
    ~SimulationJob() override;

    void start();
    void cancel() { m_cancel = true; }
    bool running() const { return m_running; }

signals:
    void progressed(int thousandths);
    // outlook.cancelled when "Annuler" stopped it.
    void finished(const forecast::SeasonOutlook& outlook);

private:
    forecast::SeasonState m_state;
    forecast::MatchModel m_model;
    int m_runs;
    quint64 m_seed;
    std::atomic<bool> m_cancel{false};
    bool m_running = false;
    std::thread m_thread;
};
