// How the deck files, the deck model and the viewer hand back what they made
// or why they could not: a Result holds either the value or a Failure, a
// number and one sentence a person can act on. A Status is a Result with no
// value, for an action that only succeeds or fails.
#pragma once

#include <QString>

#include <utility>
#include <variant>

namespace jm {

struct Failure {
    qint64 number = 0;   // the file system's error number where there is one, else 0
    QString description; // one sentence, or a few, for a person
};

// A failure that is only a sentence (a deck that cannot be framed, say).
inline Failure failure(QString description) { return Failure{0, std::move(description)}; }

template<typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : m_state(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T &value() const & { return std::get<0>(m_state); }
    T &value() & { return std::get<0>(m_state); }
    T &&value() && { return std::get<0>(std::move(m_state)); }
    const T *operator->() const { return &value(); }
    T *operator->() { return &value(); }
    const T &operator*() const & { return value(); }
    T &operator*() & { return value(); }

    const Failure &failure() const { return std::get<1>(m_state); }
    // The failure's sentence, or nothing when there is a value.
    QString error() const { return ok() ? QString() : failure().description; }

private:
    std::variant<T, Failure> m_state;
};

struct Done {};
using Status = Result<Done>;
inline Status success() { return Done{}; }

} // namespace jm
