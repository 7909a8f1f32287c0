#pragma once

#include <QList>
#include <QObject>

#include <memory>
#include <tuple>

// Records every emission of a signal with its arguments.
template <class... Args> class Spy {
public:
    template <class Object> Spy(Object* object, void (Object::*signal)(Args...)) {
        QObject::connect(object, signal, [calls = m_calls](Args... args) {
            calls->append(std::tuple<std::decay_t<Args>...>(args...));
        });
    }
    qsizetype size() const { return m_calls->size(); }
    const std::tuple<std::decay_t<Args>...>& operator[](qsizetype i) const { return (*m_calls)[i]; }

private:
    std::shared_ptr<QList<std::tuple<std::decay_t<Args>...>>> m_calls =
        std::make_shared<QList<std::tuple<std::decay_t<Args>...>>>();
};
template <class Object, class... Args> Spy(Object*, void (Object::*)(Args...)) -> Spy<Args...>;
