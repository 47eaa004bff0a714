#include "net/intercept.h"

#include "net/exceptions.h"

void TNsConnectionIntercept::Connect(TComponent* connection) {
  connection_ = connection;
  DoConnect();
  if (intercept_ != nullptr)
    intercept_->Connect(connection);
}

void TNsConnectionIntercept::Disconnect() {
  if (intercept_ != nullptr)
    intercept_->Disconnect();
  DoDisconnect();
  connection_.Reset();
}

void TNsConnectionIntercept::Receive(TNsBytes& buffer) {
  if (intercept_ != nullptr)
    intercept_->Receive(buffer);
  DoReceive(buffer);
}

void TNsConnectionIntercept::Send(TNsBytes& buffer) {
  DoSend(buffer);
  if (intercept_ != nullptr)
    intercept_->Send(buffer);
}

void TNsConnectionIntercept::DoConnect() {
  if (OnConnect)
    OnConnect(this);
}

void TNsConnectionIntercept::DoDisconnect() {
  if (OnDisconnect)
    OnDisconnect(this);
}

void TNsConnectionIntercept::DoReceive(TNsBytes& buffer) {
  if (OnReceive)
    OnReceive(this, buffer);
}

void TNsConnectionIntercept::DoSend(TNsBytes& buffer) {
  if (OnSend)
    OnSend(this, buffer);
}

void TNsConnectionIntercept::SetIntercept(TNsConnectionIntercept* intercept) {
  for (TNsConnectionIntercept* link = intercept; link != nullptr; link = link->intercept_) {
    if (link == this)
      throw ENsInterceptCircularLink::ForClass(ClassName());
  }
  if (intercept_ != nullptr)
    RemoveFreeNotification(intercept_);
  intercept_ = intercept;
  if (intercept_ != nullptr)
    FreeNotification(intercept_);
}

void TNsConnectionIntercept::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component == intercept_)
    intercept_ = nullptr;
  TNsBaseComponent::Notification(component, operation);
}
