#include "face_switch.h"

namespace {

FaceSwitch FromPolicy(const PolicySetting& setting)
{
    return {setting.state == PolicySwitch::On,
            setting.scope == PolicyScope::Machine ? SwitchSource::MachinePolicy : SwitchSource::UserPolicy};
}

} // namespace

FaceSwitch SwitchOf(const PolicySnapshot& policy, const CSwitchReader& lists, const std::wstring& asked,
                    const std::function<const FaceNames*()>& namesOf, bool tessellation)
{
    PolicySetting setting = policy.Setting(asked, tessellation);
    const bool listed = lists.Lists(asked, tessellation);
    // Nothing overrides the machine's "never"; without a policy for any face,
    // nothing overrides the list.
    const bool settled = (setting.state == PolicySwitch::Off && setting.scope == PolicyScope::Machine) ||
                         (!policy.SetsAnySwitch() && listed);
    const FaceNames* names = settled ? nullptr : namesOf();
    if (names)
        setting = policy.Setting(asked, *names, tessellation);
    if (setting.state != PolicySwitch::NotSet)
        return FromPolicy(setting);
    if (listed || (names && !lists.IsEnabled(*names, tessellation)))
        return {false, SwitchSource::UserSwitch};
    return {};
}
