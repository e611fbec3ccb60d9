#pragma once
// Event properties: a handler bound to an object. A handler assigned from a
// form file is a published method of the form and remembers that, so that
// the form can be written back with the same handler names.

#include <functional>
#include <type_traits>
#include <utility>

#include "platform/core/Rtti.h"

template <class Sig>
class TEvent;

template <class... A>
class TEvent<void(A...)> {
public:
    using Signature = void(A...);

    TEvent() = default;
    TEvent(std::nullptr_t) {}
    template <class F>
        requires(std::is_invocable_v<F&, A...> && !std::is_same_v<std::decay_t<F>, TEvent>)
    TEvent(F f) : fn_(std::move(f)) {}
    template <class C>
    TEvent(C* obj, void (C::*method)(A...))
        : fn_([obj, method](A... a) { (obj->*method)(std::forward<A>(a)...); }) {}

    // Binds a published method; the caller has checked its signature.
    static TEvent Bind(const TMethodRef& ref) {
        TEvent e;
        if (!ref.method) return e;
        auto code = reinterpret_cast<void (*)(TObject*, A...)>(ref.method->code);
        TObject* self = ref.data;
        e.fn_ = [self, code](A... a) { code(self, std::forward<A>(a)...); };
        e.ref_ = ref;
        return e;
    }

    explicit operator bool() const noexcept { return static_cast<bool>(fn_); }
    void operator()(A... a) const {
        if (fn_) fn_(std::forward<A>(a)...);
    }
    const TMethodRef& Ref() const noexcept { return ref_; }

private:
    std::function<void(A...)> fn_;
    TMethodRef ref_;
};

using TNotifyEvent = TEvent<void(TObject* Sender)>;

// The thunk through which a published method is called with its object.
template <auto M>
struct PublishedMethod;

template <class C, class... A, void (C::*M)(A...)>
struct PublishedMethod<M> {
    using Class = C;
    using Signature = void(A...);
    static void Call(TObject* self, A... a) { (static_cast<C*>(self)->*M)(std::forward<A>(a)...); }
};
