// The design view's side of the document: it makes the loaded document
// editable, reports the selection and the command states to the program
// whenever they may have changed, and runs the editing operations the
// browser has no command for (the table operations, changing an element's
// attributes). Runs in the application's isolated world: the page's own
// scripts (which do not run in the design view anyway) can neither see nor
// call it, and it leaves no mark in the document.
var qwDesign = (function () {
    "use strict";

    // The program's command numbers that the browser's editing commands
    // answer for.
    var BROWSER_COMMANDS = {
        5000: "bold",
        5013: "fontName",
        5014: "fontSize",
        5015: "foreColor",
        5016: "createLink",
        5017: "insertImage",
        5023: "italic",
        5024: "justifyCenter",
        5025: "justifyLeft",
        5026: "justifyRight",
        5030: "insertOrderedList",
        5044: "fontName",
        5045: "fontSize",
        5046: "foreColor",
        5051: "insertUnorderedList"
    };
    var DELETE_CELLS = 5005, INSERT_CELL = 5019, INSERT_COL = 5020, INSERT_ROW = 5021,
        INSERT_TABLE = 5022, MERGE_CELLS = 5029, SPLIT_CELL = 5047, UNLINK = 5050,
        FIND_TEXT = 5008;
    var TABLE_COMMANDS = [DELETE_CELLS, INSERT_CELL, INSERT_COL, INSERT_ROW, MERGE_CELLS,
                          SPLIT_CELL];

    // Elements selected as a whole, as one object, rather than as text.
    var CONTROLS = {
        IMG: 1, TABLE: 1, HR: 1, IFRAME: 1, INPUT: 1, SELECT: 1, TEXTAREA: 1, BUTTON: 1,
        OBJECT: 1, EMBED: 1, APPLET: 1, MARQUEE: 1
    };

    var bridge = null;
    var started = false;
    var edited = false;
    var scheduled = false;
    var lastReport = 0;
    // The program names each load, in the address's fragment or as the
    // name of the file it loads; the start reports the name, so that no
    // answer of an earlier document is taken for this one.
    var loadName = location.hash ? location.hash.slice(1)
                                 : location.pathname.replace(/^.*\//, "").replace(/\.html$/, "");
    // What the start found: the document as loaded, kept for a repeated
    // start.
    var loaded = null;
    var startPending = false;
    // The element the last report described: what changeElement changes.
    var selected = null;

    var observer = new MutationObserver(function () {
        edited = true;
        schedule();
    });

    function selectionRange() {
        var selection = document.getSelection();
        return selection && selection.rangeCount > 0 ? selection.getRangeAt(0) : null;
    }

    function elementOf(node) {
        if (!node)
            return null;
        return node.nodeType === Node.ELEMENT_NODE ? node : node.parentElement;
    }

    function closest(node, test) {
        for (var e = elementOf(node); e; e = e.parentElement) {
            if (test(e))
                return e;
        }
        return null;
    }

    function isCell(e) {
        return e.tagName === "TD" || e.tagName === "TH";
    }

    function isLink(e) {
        return e.tagName === "A" && e.hasAttribute("href");
    }

    // The one object a range encloses, if it encloses exactly one: a range
    // that starts at the end of a text node or ends at the start of one is
    // taken from the boundary between the nodes, as a selection made with
    // the keys often is.
    function controlOf(range) {
        if (!range || range.collapsed)
            return null;
        var sc = range.startContainer, so = range.startOffset;
        var ec = range.endContainer, eo = range.endOffset;
        if (sc.nodeType === Node.TEXT_NODE && so === sc.length && sc.parentNode) {
            so = Array.prototype.indexOf.call(sc.parentNode.childNodes, sc) + 1;
            sc = sc.parentNode;
        }
        if (ec.nodeType === Node.TEXT_NODE && eo === 0 && ec.parentNode) {
            eo = Array.prototype.indexOf.call(ec.parentNode.childNodes, ec);
            ec = ec.parentNode;
        }
        if (sc !== ec || sc.nodeType !== Node.ELEMENT_NODE || eo - so !== 1)
            return null;
        var node = sc.childNodes[so];
        return node && node.nodeType === Node.ELEMENT_NODE && CONTROLS[node.tagName] ? node : null;
    }

    function status(name) {
        try {
            if (!document.queryCommandSupported(name))
                return 0;
            if (!document.queryCommandEnabled(name))
                return 1;
            if (document.queryCommandIndeterm(name))
                return 11;
            if (document.queryCommandState(name))
                return 7;
            return 3;
        } catch (e) {
            return 0;
        }
    }

    function hex(n) {
        var s = Number(n).toString(16);
        return s.length < 2 ? "0" + s : s;
    }

    // Colours as HTML attributes write them: "#rrggbb".
    function value(name) {
        var v;
        try {
            v = String(document.queryCommandValue(name) || "");
        } catch (e) {
            return "";
        }
        var rgb = /^rgba?\((\d+),\s*(\d+),\s*(\d+)/.exec(v);
        return rgb ? "#" + hex(rgb[1]) + hex(rgb[2]) + hex(rgb[3]) : v;
    }

    function attributesOf(e) {
        var list = [];
        for (var i = 0; i < e.attributes.length; ++i)
            list.push([e.attributes[i].name, e.attributes[i].value]);
        return list;
    }

    // The body's text would be the whole page on every report: not taken.
    function describe(e) {
        if (!e)
            return null;
        var whole = e === document.body || e === document.documentElement;
        return {
            tagName: e.tagName.toUpperCase(),
            attributes: attributesOf(e),
            innerText: whole ? "" : e.innerText
        };
    }

    function linkIn(range) {
        if (!range)
            return null;
        var link = closest(range.startContainer, isLink) || closest(range.endContainer, isLink);
        if (link || range.collapsed)
            return link;
        var root = elementOf(range.commonAncestorContainer);
        var links = root ? root.getElementsByTagName("a") : [];
        for (var i = 0; i < links.length; ++i) {
            if (isLink(links[i]) && range.intersectsNode(links[i]))
                return links[i];
        }
        return null;
    }

    function state() {
        var range = selectionRange();
        var control = controlOf(range);
        var type = control ? "Control" : !range || range.collapsed ? "None" : "Text";
        selected = control || (range ? elementOf(range.commonAncestorContainer) : null);
        var statuses = {};
        for (var id in BROWSER_COMMANDS)
            statuses[id] = status(BROWSER_COMMANDS[id]);
        var inCell = range && closest(range.startContainer, isCell) ? 3 : 1;
        for (var i = 0; i < TABLE_COMMANDS.length; ++i)
            statuses[TABLE_COMMANDS[i]] = inCell;
        var insert = status("insertHTML");
        statuses[INSERT_TABLE] = insert === 3 && !control ? 3 : insert === 0 ? 0 : 1;
        var link = linkIn(range);
        statuses[UNLINK] = link ? 3 : 1;
        statuses[FIND_TEXT] = 3;
        var active = link || document.activeElement;
        var activeText = active && active !== document.body && active !== document.documentElement
            ? active.innerText : "";
        return {
            statuses: statuses,
            selectionType: type,
            element: describe(selected),
            activeText: activeText,
            body: describe(document.body),
            fontName: value("fontName"),
            fontSize: value("fontSize"),
            foreColor: value("foreColor"),
            edited: edited
        };
    }

    function push() {
        if (started && bridge)
            bridge.report(state());
    }

    // Many events follow one key or click: they are reported together, at
    // once when nothing was reported within the last frame, else with the
    // next frame. (Timers do not run in a page whose scripts are off; the
    // frames and the script's own queue do.)
    function schedule() {
        if (scheduled || !started)
            return;
        scheduled = true;
        var fire = function () {
            scheduled = false;
            lastReport = performance.now();
            push();
        };
        if (performance.now() - lastReport >= 16)
            Promise.resolve().then(fire);
        else
            window.requestAnimationFrame(fire);
    }

    function placeCaret(node) {
        var selection = document.getSelection();
        if (!node || !selection)
            return;
        selection.collapse(node, 0);
    }

    function selectNode(node) {
        var selection = document.getSelection();
        var range = document.createRange();
        range.selectNode(node);
        selection.removeAllRanges();
        selection.addRange(range);
    }

    // A click inside an inline frame would belong to the frame's own
    // document: frames let clicks through to this one (the view's style
    // sheet below), and the frame under the pointer is found by its box.
    function frameAt(x, y) {
        var frames = document.getElementsByTagName("iframe");
        for (var i = frames.length - 1; i >= 0; --i) {
            var box = frames[i].getBoundingClientRect();
            if (x >= box.left && x < box.right && y >= box.top && y < box.bottom)
                return frames[i];
        }
        return null;
    }

    // A click on a picture, a rule, a frame or a form field selects it as
    // one object (the browser would only move the caret beside it), so that
    // its properties can be edited; so does a click on a table's own frame.
    function selectObjectUnder(event) {
        if (!started)
            return;
        var target = frameAt(event.clientX, event.clientY) || event.target;
        if (!target || target.nodeType !== Node.ELEMENT_NODE || !CONTROLS[target.tagName])
            return;
        if (controlOf(selectionRange()) === target)
            return;
        selectNode(target);
        schedule();
    }

    // The table operations work on a grid of the table's rows: each cell
    // is entered at every place its row and column spans cover.
    function span(n) {
        return n > 1 ? n : 1;
    }

    function tableGrid(table) {
        var rows = Array.prototype.slice.call(table.rows);
        var grid = rows.map(function () { return []; });
        var places = new Map();
        var width = 0;
        rows.forEach(function (row, r) {
            var c = 0;
            Array.prototype.forEach.call(row.cells, function (cell) {
                while (grid[r][c])
                    ++c;
                places.set(cell, {row: r, col: c});
                var rs = span(cell.rowSpan), cs = span(cell.colSpan);
                for (var i = 0; i < rs && r + i < rows.length; ++i) {
                    for (var j = 0; j < cs; ++j)
                        grid[r + i][c + j] = cell;
                }
                c += cs;
                width = Math.max(width, c);
            });
        });
        return {rows: rows, grid: grid, places: places, width: width};
    }

    function setSpan(cell, name, n) {
        if (n > 1)
            cell.setAttribute(name, String(n));
        else
            cell.removeAttribute(name);
    }

    function newCell(like) {
        return document.createElement(like && like.tagName === "TH" ? "th" : "td");
    }

    // A new row goes above the current one; cells reaching into it from
    // above grow by a row instead.
    function insertRow(cell) {
        var g = tableGrid(cell.closest("table"));
        var r = g.places.get(cell).row;
        var tr = document.createElement("tr");
        var grown = new Set();
        for (var c = 0; c < g.width;) {
            var x = g.grid[r][c];
            if (!x) {
                tr.appendChild(newCell(null));
                ++c;
                continue;
            }
            var place = g.places.get(x);
            if (place.row < r) {
                if (!grown.has(x)) {
                    setSpan(x, "rowspan", span(x.rowSpan) + 1);
                    grown.add(x);
                }
            } else {
                var td = newCell(x);
                setSpan(td, "colspan", span(x.colSpan));
                tr.appendChild(td);
            }
            c = place.col + span(x.colSpan);
        }
        g.rows[r].parentNode.insertBefore(tr, g.rows[r]);
        placeCaret(tr.cells[0] || cell);
    }

    // A new column goes left of the current cell's; cells spanning across
    // that edge grow by a column instead.
    function insertColumn(cell) {
        var g = tableGrid(cell.closest("table"));
        var c0 = g.places.get(cell).col;
        var grown = new Set();
        var first = null;
        g.rows.forEach(function (row, r) {
            var x = g.grid[r][c0];
            var place = x ? g.places.get(x) : null;
            if (place && place.col < c0) {
                if (!grown.has(x)) {
                    setSpan(x, "colspan", span(x.colSpan) + 1);
                    grown.add(x);
                }
                return;
            }
            if (place && place.row < r)
                return; // the new cell above spans this row already
            var td = newCell(x);
            if (x) {
                setSpan(td, "rowspan", span(x.rowSpan));
                row.insertBefore(td, x);
            } else {
                row.appendChild(td);
            }
            if (x === cell)
                first = td;
        });
        placeCaret(first || cell);
    }

    function insertCell(cell) {
        var td = newCell(cell);
        cell.parentNode.insertBefore(td, cell);
        placeCaret(td);
    }

    // The cells the selection touches, in the table of cell.
    function selectedCells(range, cell) {
        var table = cell.closest("table");
        if (range.collapsed)
            return [cell];
        var cells = [];
        tableGrid(table).places.forEach(function (place, x) {
            if (range.intersectsNode(x))
                cells.push(x);
        });
        return cells.length ? cells : [cell];
    }

    function deleteCells(range, cell) {
        var table = cell.closest("table");
        var cells = selectedCells(range, cell);
        var row = cell.parentNode;
        var neighbour = null;
        cells.forEach(function (x) {
            var tr = x.parentNode;
            x.remove();
            if (tr.cells.length === 0)
                tr.remove();
        });
        if (table.rows.length === 0) {
            var after = table.nextSibling;
            var parent = table.parentNode;
            table.remove();
            placeCaret(after && after.parentNode === parent ? after : parent);
            return;
        }
        neighbour = row.isConnected && row.cells.length ? row.cells[0] : table.rows[0].cells[0];
        placeCaret(neighbour);
    }

    // The cell becomes two side by side; the other cells of its column
    // widen, so the columns of the other rows stay where they were.
    function splitCell(cell) {
        var g = tableGrid(cell.closest("table"));
        var place = g.places.get(cell);
        var td = newCell(cell);
        setSpan(td, "rowspan", span(cell.rowSpan));
        if (span(cell.colSpan) > 1) {
            setSpan(cell, "colspan", span(cell.colSpan) - 1);
        } else {
            var grown = new Set([cell]);
            g.rows.forEach(function (row, r) {
                var x = g.grid[r][place.col];
                if (x && !grown.has(x)) {
                    setSpan(x, "colspan", span(x.colSpan) + 1);
                    grown.add(x);
                }
            });
        }
        cell.parentNode.insertBefore(td, cell.nextSibling);
        placeCaret(td);
    }

    function isEmptyCell(x) {
        return x.textContent.length === 0 && !x.querySelector("img, table, hr, input, iframe");
    }

    // The selected cells (or, for one cell, it and the next cell of its row)
    // become one covering the rectangle around them; their contents join in
    // the first.
    function mergeCells(range, cell) {
        var g = tableGrid(cell.closest("table"));
        var cells = selectedCells(range, cell);
        if (cells.length < 2) {
            var next = cell.nextElementSibling;
            while (next && !isCell(next))
                next = next.nextElementSibling;
            if (!next)
                return;
            cells = [cell, next];
        }
        var top = Infinity, left = Infinity, bottom = -1, right = -1;
        var grow = function (x) {
            var p = g.places.get(x);
            top = Math.min(top, p.row);
            left = Math.min(left, p.col);
            bottom = Math.max(bottom, p.row + span(x.rowSpan) - 1);
            right = Math.max(right, p.col + span(x.colSpan) - 1);
        };
        cells.forEach(grow);
        // Cells reaching out of the rectangle widen it, until none does.
        for (var changed = true; changed;) {
            changed = false;
            for (var r = top; r <= bottom && r < g.grid.length; ++r) {
                for (var c = left; c <= right; ++c) {
                    var x = g.grid[r][c];
                    if (!x)
                        continue;
                    var before = [top, left, bottom, right].join();
                    grow(x);
                    if ([top, left, bottom, right].join() !== before)
                        changed = true;
                }
            }
        }
        bottom = Math.min(bottom, g.grid.length - 1);
        var first = null;
        var others = [];
        for (var rr = top; rr <= bottom; ++rr) {
            for (var cc = left; cc <= right; ++cc) {
                var y = g.grid[rr][cc];
                if (!y)
                    continue;
                if (!first)
                    first = y;
                else if (y !== first && others.indexOf(y) < 0)
                    others.push(y);
            }
        }
        if (!first)
            return;
        others.forEach(function (y) {
            if (!isEmptyCell(y)) {
                if (!isEmptyCell(first))
                    first.appendChild(document.createTextNode(" "));
                while (y.firstChild)
                    first.appendChild(y.firstChild);
            }
            y.remove();
        });
        setSpan(first, "colspan", right - left + 1);
        setSpan(first, "rowspan", bottom - top + 1);
        placeCaret(first);
    }

    function unlink(range, link) {
        if (range.collapsed) {
            var whole = document.createRange();
            whole.selectNodeContents(link);
            var selection = document.getSelection();
            selection.removeAllRanges();
            selection.addRange(whole);
        }
        document.execCommand("unlink", false, null);
    }

    function runTableCommand(id, range) {
        var cell = closest(range.startContainer, isCell);
        if (!cell)
            return;
        switch (id) {
        case INSERT_ROW: insertRow(cell); break;
        case INSERT_COL: insertColumn(cell); break;
        case INSERT_CELL: insertCell(cell); break;
        case DELETE_CELLS: deleteCells(range, cell); break;
        case SPLIT_CELL: splitCell(cell); break;
        case MERGE_CELLS: mergeCells(range, cell); break;
        }
    }

    // The document the program just loaded becomes editable and is
    // watched for changes from here on. Runs once the document is parsed:
    // its pictures need not have arrived.
    function start() {
        if (loaded)
            return loaded;
        document.designMode = "on";
        var selection = document.getSelection();
        if (selection && selection.rangeCount === 0 && document.body)
            placeCaret(document.body);
        try {
            // Tables drawn without borders show their cells' outlines, as a
            // style sheet of the view's own that the document does not hold.
            var details = new CSSStyleSheet();
            details.replaceSync(
                "table:not([border]) > * > tr > td, table[border='0'] > * > tr > td," +
                " table:not([border]) > * > tr > th, table[border='0'] > * > tr > th" +
                " { outline: 1px dotted #a0a0a0; outline-offset: -1px; }" +
                " iframe { pointer-events: none; }");
            document.adoptedStyleSheets = [details];
        } catch (e) {
            // The outlines are a help, not a must.
        }
        edited = false;
        observer.observe(document, {childList: true, subtree: true, attributes: true,
                                    characterData: true});
        started = true;
        loaded = {load: loadName, snapshot: qwDesignSnapshot(), state: state()};
        return loaded;
    }

    function reportStart() {
        if (bridge) {
            startPending = false;
            bridge.started(start());
        } else {
            startPending = true;
        }
    }

    // The program's second way to start, when the page has finished
    // loading: nothing before the document is parsed.
    function startIfParsed() {
        return document.readyState === "loading" ? null : start();
    }

    function run(id, input) {
        try {
            var range = selectionRange();
            var name = BROWSER_COMMANDS[id];
            if (TABLE_COMMANDS.indexOf(id) >= 0) {
                if (range)
                    runTableCommand(id, range);
            } else if (id === UNLINK) {
                var link = linkIn(range);
                if (link)
                    unlink(range, link);
            } else if (name && id !== 5016 && id !== 5017) {
                document.execCommand(name, false, input === undefined ? null : String(input));
            } else if (name && input) {
                // A link or a picture needs its address.
                document.execCommand(name, false, String(input));
            }
        } catch (e) {
            // A command the document refuses changes nothing.
        }
        return state();
    }

    function paste(html) {
        var range = selectionRange();
        if (range && !controlOf(range)) {
            try {
                document.execCommand("insertHTML", false, html);
            } catch (e) {
            }
        }
        return state();
    }

    // The selection becomes the content of a new link. The browser's own
    // command wraps it, splitting the link where the selection crosses
    // blocks; each piece it made (found by a mark no page uses) then gets
    // the attributes.
    function link(attributes) {
        var range = selectionRange();
        if (!range || range.collapsed)
            return state();
        var mark = "qw-link-" + loadName + "-" + performance.now() + "-" + Math.random();
        try {
            document.execCommand("createLink", false, mark);
        } catch (e) {
            return state();
        }
        var made = Array.prototype.filter.call(document.getElementsByTagName("a"), function (a) {
            return a.getAttribute("href") === mark;
        });
        made.forEach(function (a) {
            a.removeAttribute("href");
            attributes.forEach(function (attribute) {
                try {
                    a.setAttribute(attribute[0], attribute[1]);
                } catch (e) {
                    // A name no attribute can have.
                }
            });
        });
        return state();
    }

    function changeElement(changes, body) {
        var element = body ? document.body : selected;
        if (element && element.isConnected) {
            changes.forEach(function (change) {
                try {
                    if (change[1] === null)
                        element.removeAttribute(change[0]);
                    else
                        element.setAttribute(change[0], change[1]);
                } catch (e) {
                    // A name no attribute can have.
                }
            });
        }
        return state();
    }

    // The document as it is now; a later report says "edited" only for a
    // change made after it.
    function snapshot() {
        var active = document.activeElement;
        var answer = {
            snapshot: qwDesignSnapshot(),
            edited: edited,
            markers: markers,
            // Keys then go to a frame's own document, never into this one.
            inFrame: !!active && /^(IFRAME|FRAME|OBJECT|EMBED)$/.test(active.tagName)
        };
        edited = false;
        return answer;
    }

    // Keys the user typed may still be on their way here when the program
    // asks for the document, on a path its requests do not share. So the
    // program sends a key of its own after them, one nothing else uses:
    // when it arrives every earlier key has been handled, which the channel
    // tells the program (the keys counted, so it knows which one), and the
    // document it asks for then holds them all. The key itself does nothing
    // here.
    var markers = 0;
    function isMarker(event) {
        return event.key === "F24" || event.keyCode === 135;
    }
    window.addEventListener("keydown", function (event) {
        if (!isMarker(event))
            return;
        event.preventDefault();
        event.stopImmediatePropagation();
        ++markers;
        if (started && bridge)
            bridge.keyArrived({load: loadName, marker: markers});
    }, true);
    window.addEventListener("keyup", function (event) {
        if (!isMarker(event))
            return;
        event.preventDefault();
        event.stopImmediatePropagation();
    }, true);

    ["selectionchange", "input", "keyup", "mouseup"].forEach(function (type) {
        document.addEventListener(type, schedule, true);
    });
    document.addEventListener("click", selectObjectUnder, true);
    document.addEventListener("DOMContentLoaded", reportStart);
    document.addEventListener("contextmenu", selectObjectUnder, true);

    if (typeof QWebChannel === "function" && typeof qt === "object") {
        new QWebChannel(qt.webChannelTransport, function (channel) {
            bridge = channel.objects.design;
            if (startPending)
                reportStart();
            else
                push();
        });
    }

    return {
        startIfParsed: startIfParsed,
        state: state,
        run: run,
        paste: paste,
        link: link,
        changeElement: changeElement,
        snapshot: snapshot
    };
})();
