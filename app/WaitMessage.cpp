#include "WaitMessage.h"

#include "Siblings.h"

#include <utility>

void WithWaitMessage(const std::function<void(const std::function<void()>& RemoveMessage)>& Work)
{
    using Proc = void();
    Proc* destroyMessage = nullptr; // set while the message may be up
    // Taken before the call, so a failing removal is not tried again.
    const std::function<void()> remove = [&] {
        if (destroyMessage)
            std::exchange(destroyMessage, nullptr)();
    };
    WithSibling(
        QStringLiteral("Tavrin.Dll"),
        [&](TSibling& Library) {
            auto* createMessage = Library.Proc<Proc>("CreateMyMessage");
            auto* showMessage = Library.Proc<Proc>("ShowMyMessage");
            destroyMessage = Library.Proc<Proc>("DestroyMyMessage");
            createMessage();
            showMessage();
            Work(remove);
            remove();
        },
        remove);
}
