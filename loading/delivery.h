#pragma once

#include <QObject>
#include <QPointer>
#include <stop_token>
#include <utility>

#include "work/work_pool.h"

namespace loading {

/// The one way a job hands over what it made: each call is posted to the loader's thread (the GUI thread) and made
/// there, unless by then the job's owner is gone or has moved on (its wish stopped). Made on the owner's thread and
/// copied into the job; used from any thread while the loader lives (a job stopped by the loader's end delivers
/// nothing).
class Delivery
{
public:
    Delivery(QObject& loader, QObject* owner, std::stop_token wish)
        : m_loader(&loader), m_owner(owner), m_wish(std::move(wish))
    {
    }

    /// True until the owner's wish is stopped.
    bool wanted() const { return !m_wish.stop_requested(); }
    const std::stop_token& wish() const { return m_wish; }

    template <typename Call> void operator()(Call&& call) const
    {
        if (!wanted())
            return;
        work::postTo(m_loader, [owner = m_owner, wish = m_wish, call = std::forward<Call>(call)]() mutable {
            if (owner && !wish.stop_requested())
                call();
        });
    }

private:
    QObject* m_loader;
    QPointer<QObject> m_owner;
    std::stop_token m_wish;
};

} // namespace loading
