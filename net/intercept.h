#pragma once
// TNsConnectionIntercept: a filter over every block of bytes a connection
// sends and receives, told when the connection is made and when it ends.
// Intercepts chain like protocol layers: the next one in the chain sees
// outgoing bytes after this one and incoming bytes before it.

#include <functional>

#include "net/bytes.h"
#include "net/component.h"

class TNsConnectionIntercept;

using TNsInterceptNotifyEvent = std::function<void(TNsConnectionIntercept* sender)>;
// The handler may replace the bytes; the connection goes on with the result.
using TNsInterceptStreamEvent = std::function<void(TNsConnectionIntercept* sender, TNsBytes& buffer)>;

class TNsConnectionIntercept : public TNsBaseComponent {
 public:
  static constexpr TClass kClass{"TNsConnectionIntercept", &TNsBaseComponent::kClass,
                                 &ConstructInstance<TNsConnectionIntercept>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TNsConnectionIntercept(TComponent* owner) : TNsBaseComponent(owner) {}

  // Remembers the connection, fires OnConnect, then tells the next one.
  virtual void Connect(TComponent* connection);
  // Tells the next one first, fires OnDisconnect, forgets the connection.
  virtual void Disconnect();
  // The next one first, then OnReceive.
  virtual void Receive(TNsBytes& buffer);
  // OnSend first, then the next one.
  virtual void Send(TNsBytes& buffer);

  TComponent* Connection() const { return connection_.Get(); }
  TNsConnectionIntercept* Intercept() const { return intercept_; }
  // Raises ENsInterceptCircularLink when the chain from `intercept` leads
  // back to this one.
  void SetIntercept(TNsConnectionIntercept* intercept);

  TNsInterceptNotifyEvent OnConnect;
  TNsInterceptNotifyEvent OnDisconnect;
  TNsInterceptStreamEvent OnReceive;
  TNsInterceptStreamEvent OnSend;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  // Each fires its event when one is assigned.
  virtual void DoConnect();
  virtual void DoDisconnect();
  virtual void DoReceive(TNsBytes& buffer);
  virtual void DoSend(TNsBytes& buffer);

 private:
  TWeakRef<TComponent> connection_;
  TNsConnectionIntercept* intercept_ = nullptr;
};
