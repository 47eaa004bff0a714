#include "net/transparent_proxy.h"

#include "net/exceptions.h"

void TNsCustomTransparentProxy::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TNsCustomTransparentProxy*>(source);
  if (other == nullptr) {
    TNsComponent::Assign(source);
    return;
  }
  host_ = other->host_;
  password_ = other->password_;
  port_ = other->port_;
  ip_version_ = other->ip_version_;
  username_ = other->username_;
}

void TNsCustomTransparentProxy::OpenThroughProxy(TNsIOHandler& handler, const std::string& host, uint16_t port,
                                                 TNsIPVersion version) {
  if (chained_proxy_ != nullptr && chained_proxy_->GetEnabled()) {
    NegotiateTunnel(handler, chained_proxy_->Host(), chained_proxy_->Port(), Id_IPv4);
    chained_proxy_->OpenThroughProxy(handler, host, port, version);
    return;
  }
  NegotiateTunnel(handler, host, port, version);
}

void TNsCustomTransparentProxy::OpenUDPRelay(TNsSocketHandle&, const std::string&, uint16_t, TNsIPVersion) {
  throw ENsTransparentProxyUDPNotSupported();
}

void TNsCustomTransparentProxy::CloseUDPRelay(TNsSocketHandle&) { throw ENsTransparentProxyUDPNotSupported(); }

int32_t TNsCustomTransparentProxy::ReceiveDatagram(TNsSocketHandle&, TNsBytes&, int32_t, std::string&, uint16_t&) {
  throw ENsTransparentProxyUDPNotSupported();
}

void TNsCustomTransparentProxy::SendDatagram(TNsSocketHandle&, const std::string&, uint16_t, const TNsBytes&) {
  throw ENsTransparentProxyUDPNotSupported();
}

void TNsCustomTransparentProxy::Bind(TNsIOHandler&, const std::string&, uint16_t, TNsIPVersion) {
  throw ENsTransparentProxyCantBind();
}

bool TNsCustomTransparentProxy::AwaitInboundConnection(TNsIOHandler&, int32_t) {
  throw ENsTransparentProxyCantBind();
}

void TNsCustomTransparentProxy::SetChainedProxy(TNsCustomTransparentProxy* proxy) {
  for (TNsCustomTransparentProxy* link = proxy; link != nullptr; link = link->chained_proxy_) {
    if (link == this)
      throw ENsTransparentProxyCircularLink::ForClass(ClassName());
  }
  if (chained_proxy_ != nullptr)
    RemoveFreeNotification(chained_proxy_);
  chained_proxy_ = proxy;
  if (chained_proxy_ != nullptr)
    FreeNotification(chained_proxy_);
}

void TNsCustomTransparentProxy::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component == chained_proxy_)
    chained_proxy_ = nullptr;
  TNsComponent::Notification(component, operation);
}
