#include "platform/win/BitmapDC.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/win/Bitmap.h"
#include "platform/win/BitmapCanvas.h"
#include "platform/win/Win32.h"

namespace {

struct TScratch {
    TMemoryDC dc;
    bool busy = false;
};
thread_local TScratch scratch;

// Guards every thread's list: a bitmap may be freed on another thread than
// the one it last drew on.
std::mutex& PoolMutex() {
    static std::mutex m;
    return m;
}

struct TPool {
    std::vector<TBitmapCanvas*> live;  // least recently used first
    ~TPool() {
        std::vector<TBitmapCanvas*> left;
        {
            std::lock_guard lock(PoolMutex());
            left.swap(live);
            for (TBitmapCanvas* c : left) c->pool = nullptr;
        }
        for (TBitmapCanvas* c : left) c->FreeDC();
    }
};
thread_local TPool pool;

}  // namespace

TScratchDC::TScratchDC(HBITMAP bitmap) {
    if (!scratch.busy) {
        if (!scratch.dc) scratch.dc = CreateMemoryDC();
        if (scratch.dc) {
            scratch.busy = true;
            scratch_ = true;
            dc_ = scratch.dc.Get();
        }
    }
    if (!scratch_) {
        own_ = CreateMemoryDC();
        dc_ = own_.Get();
    }
    if (dc_) previous_ = ::SelectObject(dc_, bitmap);
}

TScratchDC::~TScratchDC() {
    if (dc_ && previous_ && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
    if (scratch_) scratch.busy = false;
}

TBitmapSourceDC::TBitmapSourceDC(const TBitmap& bitmap) {
    if (HDC own = bitmap.OwnDC()) {
        dc_ = own;
    } else {
        scratch_ = std::make_unique<TScratchDC>(bitmap.Handle());
        dc_ = scratch_->Get();
    }
}

namespace bitmap_dcs {

void Join(TBitmapCanvas& canvas) {
    std::vector<TBitmapCanvas*> resting;
    {
        std::lock_guard lock(PoolMutex());
        pool.live.push_back(&canvas);
        canvas.pool = &pool;
        auto& live = pool.live;
        while (live.size() > size_t(TBitmap::kMaxLiveDCs)) {
            auto victim = std::find_if(live.begin(), live.end() - 1, [](TBitmapCanvas* c) { return !c->Locked(); });
            if (victim == live.end() - 1) break;  // all in use: allow one more for now
            (*victim)->pool = nullptr;
            resting.push_back(*victim);
            live.erase(victim);
        }
    }
    for (TBitmapCanvas* c : resting) c->FreeDC();
}

void Touch(TBitmapCanvas& canvas) noexcept {
    std::lock_guard lock(PoolMutex());
    auto* owner = static_cast<TPool*>(canvas.pool);
    if (!owner || owner->live.back() == &canvas) return;
    auto it = std::find(owner->live.begin(), owner->live.end(), &canvas);
    if (it != owner->live.end()) std::rotate(it, it + 1, owner->live.end());
}

void Leave(TBitmapCanvas& canvas) noexcept {
    std::lock_guard lock(PoolMutex());
    auto* owner = static_cast<TPool*>(canvas.pool);
    if (!owner) return;
    std::erase(owner->live, &canvas);
    canvas.pool = nullptr;
}

}  // namespace bitmap_dcs
