// The design document as the write-back compares it: the child nodes of
// <head> and <body>, each serialised as the browser itself writes it, and
// <body>'s attributes in their order. Runs in the application's isolated
// world, so the page's own scripts can neither see nor replace it.
function qwDesignSnapshot() {
    "use strict";

    // A text node as innerHTML writes it; the parents here are <head> and
    // <body>, never a raw-text element.
    function escapeText(text) {
        return text.replace(/[&<>\u00a0]/g, function (c) {
            switch (c) {
            case "&": return "&amp;";
            case "<": return "&lt;";
            case ">": return "&gt;";
            default: return "&nbsp;";
            }
        });
    }

    function serialise(node) {
        switch (node.nodeType) {
        case Node.ELEMENT_NODE:
            return node.outerHTML;
        case Node.TEXT_NODE:
            return escapeText(node.data);
        case Node.COMMENT_NODE:
            return "<!--" + node.data + "-->";
        default:
            return "";
        }
    }

    function children(parent) {
        var list = [];
        if (!parent)
            return list;
        for (var node = parent.firstChild; node; node = node.nextSibling)
            list.push(serialise(node));
        return list;
    }

    var body = document.body;
    var attributes = [];
    if (body) {
        for (var i = 0; i < body.attributes.length; ++i)
            attributes.push([body.attributes[i].name, body.attributes[i].value]);
    }
    return {
        headNodes: children(document.head),
        bodyAttributes: attributes,
        bodyNodes: children(body)
    };
}
