/* Tells Nivora which monitors show a fullscreen window on top.
 *
 * Nivora's wallpaper is an X11 window under XWayland on GNOME, and X11 cannot
 * see Wayland windows at all: only the shell knows that a fullscreen Wayland
 * program covers a monitor. The shell already tracks it per monitor; this
 * publishes that on the shell's own bus connection, so that the answer is
 * known to come from the shell (org.gnome.Shell) and from nobody else.
 */
const { Gio, GLib } = imports.gi;

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

function init() {
    return new FullscreenWatch();
}
