/* The watch itself, shared by the extension for GNOME Shell 43-44 (a legacy
 * script) and the one for 45 and later (an ES module): the build puts it
 * between the imports and the entry point of each, so that both carry the
 * same code. It uses `Gio`, `GLib` and the shell's `global` from there.
 */
const PATH = '/app/nivora/Nivora/FullscreenWatch';
const IFACE = `
<node>
  <interface name="app.nivora.Nivora.FullscreenWatch">
    <method name="CoveredMonitors">
      <arg type="a(iiii)" direction="out" name="rects"/>
    </method>
    <signal name="CoveredChanged">
      <arg type="a(iiii)" name="rects"/>
    </signal>
  </interface>
</node>`;

class FullscreenWatch {
    enable() {
        this._exported = Gio.DBusExportedObject.wrapJSObject(IFACE, this);
        this._exported.export(Gio.DBus.session, PATH);
        this._last = '';
        this._fullscreenId = global.display.connect('in-fullscreen-changed', () => this._changed());
        const monitors = global.backend.get_monitor_manager();
        this._monitorsId = monitors.connect('monitors-changed', () => this._changed());
        this._changed();
    }

    disable() {
        global.display.disconnect(this._fullscreenId);
        global.backend.get_monitor_manager().disconnect(this._monitorsId);
        this._exported.unexport();
        this._exported = null;
    }

    CoveredMonitors() {
        const rects = [];
        const display = global.display;
        for (let i = 0; i < display.get_n_monitors(); i++) {
            if (!display.get_monitor_in_fullscreen(i))
                continue;
            const r = display.get_monitor_geometry(i);
            rects.push([r.x, r.y, r.width, r.height]);
        }
        return rects;
    }

    _changed() {
        const rects = this.CoveredMonitors();
        const key = JSON.stringify(rects);
        if (key === this._last)
            return;
        this._last = key;
        this._exported.emit_signal('CoveredChanged', new GLib.Variant('(a(iiii))', [rects]));
    }
}
